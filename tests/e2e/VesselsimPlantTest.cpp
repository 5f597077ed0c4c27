// What a plant may never do, flown through the bench: make energy from
// nothing, keep or save a number that is not one, or pass a mistake over in
// silence.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <string>

#include "Vesselsim.h"

namespace {

const std::string kRoot = std::string(TEST_DATA_DIR) + "/plant";

std::map<std::string, double> Fly(const std::string &scenario, const std::string &arguments) {
  const Result r = Vesselsim("run --root " + kRoot + " " + scenario + " " + arguments);
  EXPECT_EQ(r.status, 0) << r.out;
  return WatchLines(r.out);
}

// `text` with its first `from` made `to`; a failure when it has none.
std::string Replaced(std::string text, const std::string &from, const std::string &to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from << " in\n" << text;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

}  // namespace

// An hour of tests/data/plant's vessel:
// - the fuel cell drains its oxygen tank to a third; what it takes leaves with
//   its share of the tank's energy, so the tank ends no warmer than its
//   untouched twin;
// - the bottle of negative volume is not built, so nothing undefined reaches
//   the cabin or the saved scenario, and a restored scenario that gives the
//   cabin no room leaves the cabin its own volume;
// - the spare battery's charging bus goes with the first stage: it stops
//   charging, keeps its command, and comes back from the saved scenario as it
//   was flown; a watch whose name found the bus (the first object whose name
//   begins with "S") stays on it and reads nan rather than the spare;
TEST(VesselsimPlant, AnHourMakesNoEnergyAndNoNumberThatIsNotOne) {
  const std::string events = TempPath("plant.events"), saved = TempPath("plant.scn");
  std::ofstream(events) << "0 set int=ELECTRIC:FC:START 1\n0 set ELECTRIC:BANK:CHARGE 0\n"
                           "0 set ELECTRIC:SPARE:CHARGE 0\n0 set int=ELECTRIC:BANK:LOAD 1\n"
                           "0 set int=ELECTRIC:S2_BUS:RESET 1\n0.5 set int=ELECTRIC:SPARE:LOAD 1\n2 key OAPI_KEY_J\n";
  const std::string battery = " --watch int=ELECTRIC:SPARE:LOAD --watch ELECTRIC:SPARE:LOADING";
  auto end = Fly(kRoot + "/Scenarios/Plant.scn",
                 "--dt 0.1 --duration 3600 --events " + events + " --save " + saved + battery +
                     " --watch ELECTRIC:S:AMPS --watch HYDRAULIC:O2TANK:MASS --watch HYDRAULIC:O2TANK:TEMP"
                     " --watch HYDRAULIC:O2SPARE:TEMP --watch ELECTRIC:FC:AMPS --watch HYDRAULIC:CABIN:PRESS");
  EXPECT_EQ(end["ELECTRIC:FC:AMPS"], 33.0);
  EXPECT_LT(end["HYDRAULIC:O2TANK:MASS"], 400.0);
  EXPECT_GT(end["HYDRAULIC:O2TANK:TEMP"], 200.0);
  EXPECT_LE(end["HYDRAULIC:O2TANK:TEMP"], end["HYDRAULIC:O2SPARE:TEMP"] + 0.5);
  EXPECT_TRUE(std::isnan(end["ELECTRIC:S:AMPS"]));
  EXPECT_EQ(end["ELECTRIC:SPARE:LOAD"], 1.0);
  EXPECT_EQ(end["ELECTRIC:SPARE:LOADING"], 0.0);
  EXPECT_TRUE(std::isfinite(end["HYDRAULIC:CABIN:PRESS"]) && end["HYDRAULIC:CABIN:PRESS"] > 0);

  const std::string scenario = ReadFile(saved);
  EXPECT_EQ(scenario.find("nan"), std::string::npos);
  const std::string resume = "--duration 1 --watch HYDRAULIC:CABIN:PRESS" + battery;
  const auto resumed = Fly(saved, resume);
  EXPECT_EQ(resumed.at("ELECTRIC:SPARE:LOAD"), 1.0);
  EXPECT_EQ(resumed.at("ELECTRIC:SPARE:LOADING"), 0.0);
  std::ofstream(saved) << Replaced(scenario, "CABIN 5000.000000", "CABIN -5");
  EXPECT_EQ(Fly(saved, resume), resumed);
}

// What a write or a restore may not leave in the plant:
// - a write of a number that is not a finite one of the variable's type, or
//   that leaves a tank no room or a body below 0 K, ends the run with its
//   reason;
// - a radiator written far beyond what its radiation can hold in a double
//   makes an infinite step: it keeps the state of the step before, logged
//   once however many steps it would;
// - a restored substance line with more vapour than mass is taken as all
//   vapour, and the cabin's pressure stays a number; a panel saved lit comes
//   back lit.
TEST(VesselsimPlant, NothingWrittenOrRestoredLeavesANumberThatIsNotOne) {
  const std::string root = CopyOfTestRoot("plant", "plant-writes"), events = root + "/writes.events";
  const std::string run = "run --root " + root + " " + root + "/Scenarios/Plant.scn --duration 3 --events " + events;
  const std::string unreadable = "a finite number the variable can hold is wanted";
  const std::string refused[][2] = {
      {"HYDRAULIC:CABIN:PRESS nan", unreadable},
      {"HYDRAULIC:CABIN:PRESS inf", unreadable},
      {"float=HYDRAULIC:CABIN:PRESS 1e39", unreadable},
      {"HYDRAULIC:CABIN:VOLUME -5", "refused, tank CABIN of -5 L: a tank must hold more than 0 L"},
      {"HYDRAULIC:RAD:TEMP -1", "refused, RAD at -1 K: no temperature is below 0 K"},
  };
  for (const auto &[write, reason] : refused) {
    std::ofstream(events) << "1 set " << write << "\n";
    const Result r = Vesselsim(run);
    EXPECT_EQ(r.status, 2) << write;
    EXPECT_NE(r.out.find(reason), std::string::npos) << r.out;
  }

  std::ofstream(events) << "1 set HYDRAULIC:RAD:TEMP 1e80\n";
  const Result hot = Vesselsim(run + " --watch HYDRAULIC:RAD:TEMP --save " + root + "/hot.scn");
  ASSERT_EQ(hot.status, 0) << hot.out;
  EXPECT_LT(WatchLines(hot.out).at("HYDRAULIC:RAD:TEMP"), 300.0);
  const std::string log = ReadFile(root + "/Varneldebug.txt");
  const std::string lapse = "ERROR IN STEP: RAD made a number that is not one; it keeps its state of the step before\n";
  EXPECT_NE(log.find(lapse), std::string::npos) << log;
  EXPECT_EQ(log.find(lapse), log.rfind(lapse)) << log;

  // A panel saved lit comes back lit, its lighting variable saying so.
  const std::string scenario = Replaced(ReadFile(root + "/hot.scn"), "CHM    3 4600.0000 4600.0000",
                                        "CHM    3 4600.0000 909713");
  std::ofstream(root + "/vapour.scn") << Replaced(scenario, "<LIGHT> 0", "<LIGHT> 1");
  const Result restored = Vesselsim("run --root " + root + " " + root + "/vapour.scn --duration 2 --dt 0.5"
                                    " --watch HYDRAULIC:CABIN:PRESS --watch int=P:LIGHT --watch int=P:TEXTLIGHT");
  ASSERT_EQ(restored.status, 0) << restored.out;
  const auto watched = WatchLines(restored.out);
  EXPECT_TRUE(std::isfinite(watched.at("HYDRAULIC:CABIN:PRESS"))) << restored.out;
  EXPECT_EQ(watched.at("P:LIGHT"), 1.0);
  EXPECT_EQ(watched.at("P:TEXTLIGHT"), -1.0);
}

// Each mistake the module builds around is pointed at, at its line, with
// what the module does about it; a cooling body that names nothing is logged
// as every reference is.
TEST(VesselsimPlant, TheCheckPointsAtEveryMistakeItBuildsAround) {
  const char *const expected[][2] = {
      {"Plant", "Plant.cfg:36: tank BOTTLE has a volume of -20 L; a tank must hold more than 0 L, so it is not built"},
      {"Plant",
       "Plant.cfg:62: a momentary switch on ELECTRIC:FC:START springs back to 0 before the command is read: "
       "use a switch that stays"},
      {"Plant", "Plant.cfg:63: a momentary switch on HYDRAULIC:O2TANK:OUT:OPEN"},
      {"Careless", "Careless.cfg:7: \"<0 1 x>\" is not a vector <x y z>: the value before is kept"},
      {"Careless", "Careless.cfg:7: tank BAD has a volume of 0 L"},
      {"Careless",
       "Careless.cfg:11: substance 0 of tank ODD: 200 g of vapour is more than its 100 g in all; it is "
       "taken as 100 g of vapour"},
      {"Careless",
       "Careless.cfg:12: substance 3 of tank ODD: its energy puts it at 29.5 K, below the 61.5 K it can "
       "be held at"},
      {"Careless",
       "Careless.cfg:13: substance 1 of tank ODD: a mass, vapour mass or energy below 0 cannot be; the "
       "line is ignored"},
      {"Careless", "Careless.cfg:22: exhaust line gives 6 of its 7 numbers"},
      {"Careless", "Careless.cfg:27: vent VENT already has 4 exhausts"},
      {"Careless", "Careless.cfg:30: radiator FEW wants"},
      {"Careless", "Careless.cfg:32: radiator LIGHT wants"},
      {"Careless", "Careless.cfg:34: radiator REMARKED wants"},
      {"Careless",
       "Careless.cfg:43: reference LMPBUS finds LMPBUSAUX, declared first and named beginning with it: "
       "it never reaches the electric object LMPBUS"},
      {"Careless", "Careless.cfg:44: socket SELECT at position 4 selects no candidate"},
      {"Careless", "Careless.cfg:45: block has no </COOLING> line: it reads on past </ELECTRIC> at line 56"},
      {"Careless", "Careless.cfg:46: cooling body HYDRAULIC:HOT has no coefficient: it is left out of loop LOOP"},
      {"Careless", "ERROR AT LINE: 47HYDRAULIC:NOWHERE"},
      {"Careless", "Careless.cfg:48: variable TEMPERATURE is read as TEMP"},
      {"Careless", "Careless.cfg:55: loop LOOP already has 6 bodies: HYDRAULIC:COLD is left out"},
  };
  std::map<std::string, Result> checks;
  for (const char *config : {"Plant", "Careless"})
    checks[config] = Vesselsim(std::string("check ") + config + " --strict --root " + kRoot);
  for (const auto &[config, finding] : expected) {
    EXPECT_EQ(checks[config].status, 1) << config;
    EXPECT_NE(checks[config].out.find(finding), std::string::npos) << finding << "\n" << checks[config].out;
  }
  EXPECT_EQ(checks["Plant"].out.find("Plant.cfg:64:"), std::string::npos);  // a switch that stays
}

// A burst disc shows whether it is open: the Kestrel's cabin relief stays
// shut at its pressure, and bursts once the cabin is squeezed to a tenth of
// its room.
TEST(VesselsimPlant, ABurstDiscShowsWhetherItIsOpen) {
  const std::string events = TempPath("squeeze.events");
  std::ofstream(events) << "0 set HYDRAULIC:CABIN:VOLUME 1000\n";
  const std::string kestrel = std::string(EXAMPLES_DIR) + "/kestrel";
  const std::string run = "run --root " + kestrel + " " + kestrel + "/Scenarios/Kestrel.scn --steps 5 " +
                          "--watch int=HYDRAULIC:RELIEF:BURST";
  EXPECT_EQ(WatchLines(Vesselsim(run).out)["HYDRAULIC:RELIEF:BURST"], 0);
  EXPECT_EQ(WatchLines(Vesselsim(run + " --events " + events).out)["HYDRAULIC:RELIEF:BURST"], 1);
}
