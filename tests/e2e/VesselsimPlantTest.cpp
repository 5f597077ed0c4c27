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
// - the bench writes no number that is not a finite one of the variable's type.
TEST(VesselsimPlant, AnHourMakesNoEnergyAndNoNumberThatIsNotOne) {
  const std::string events = TempPath("plant.events"), saved = TempPath("plant.scn");
  std::ofstream(events) << "0 set int=ELECTRIC:FC:START 1\n0 set int=ELECTRIC:BANK:LOAD 1\n"
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

  std::string scenario = ReadFile(saved);
  EXPECT_EQ(scenario.find("nan"), std::string::npos);
  const std::string resume = "--duration 1 --watch HYDRAULIC:CABIN:PRESS" + battery;
  const auto resumed = Fly(saved, resume);
  EXPECT_EQ(resumed.at("ELECTRIC:SPARE:LOAD"), 1.0);
  EXPECT_EQ(resumed.at("ELECTRIC:SPARE:LOADING"), 0.0);
  const size_t volume = scenario.find("CABIN 5000.000000");
  ASSERT_NE(volume, std::string::npos) << scenario;
  std::ofstream(saved) << scenario.replace(volume, 17, "CABIN -5");
  EXPECT_EQ(Fly(saved, resume), resumed);

  for (const std::string value : {"nan", "inf", "float=1e39"}) {
    const bool typed = value.rfind("float=", 0) == 0;
    const std::string reference = (typed ? "float=" : "") + std::string("HYDRAULIC:CABIN:PRESS ");
    std::ofstream(events) << "1 set " << reference << value.substr(typed ? 6 : 0) << "\n";
    const Result r = Vesselsim("run --root " + kRoot + " " + kRoot + "/Scenarios/Plant.scn --duration 2 --events " +
                               events);
    EXPECT_EQ(r.status, 2) << value;
    EXPECT_NE(r.out.find("a finite number the variable can hold is wanted"), std::string::npos) << r.out;
  }
}

// Each mistake the module builds around is pointed at, at its line, with
// what the module does about it; a cooling body that names nothing is logged
// as every reference is.
TEST(VesselsimPlant, TheCheckPointsAtEveryMistakeItBuildsAround) {
  const char *const expected[][2] = {
      {"Plant", "Plant.cfg:35: tank BOTTLE has a volume of -20 L; a tank must hold more than 0 L, so it is not built"},
      {"Plant", "Plant.cfg:59: a momentary switch on ELECTRIC:FC:START springs back to 0 before the command is read: "
                "use a switch that stays"},
      {"Plant", "Plant.cfg:60: a momentary switch on HYDRAULIC:O2TANK:OUT:OPEN"},
      {"Careless", "Careless.cfg:7: \"<0 1 x>\" is not 3 numbers in <>"},
      {"Careless", "Careless.cfg:7: tank BAD has a volume of 0 L"},
      {"Careless", "Careless.cfg:11: substance 0 of tank ODD: 200 g of vapour is more than its 100 g in all"},
      {"Careless", "Careless.cfg:12: substance 3 of tank ODD: its energy puts it at 29.5 K, below the 61.5 K it can "
                   "be held at"},
      {"Careless", "Careless.cfg:13: substance 1 of tank ODD: a mass, vapour mass or energy below 0 cannot be"},
      {"Careless", "Careless.cfg:22: exhaust line gives 6 of its 7 numbers"},
      {"Careless", "Careless.cfg:27: vent VENT already has 4 exhausts"},
      {"Careless", "Careless.cfg:30: radiator FEW wants"},
      {"Careless", "Careless.cfg:32: radiator LIGHT wants"},
      {"Careless", "Careless.cfg:34: radiator REMARKED wants"},
      {"Careless", "Careless.cfg:43: reference LMPBUS finds LMPBUSAUX, declared first and named beginning with it: "
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
  EXPECT_EQ(checks["Plant"].out.find("Plant.cfg:61:"), std::string::npos);  // a switch that stays
}
