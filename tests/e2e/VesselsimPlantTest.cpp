// What a plant may never do, flown through the bench: make energy from
// nothing, or a number that is not one.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <string>

#include "Vesselsim.h"

namespace {

const std::string kRoot = std::string(TEST_DATA_DIR) + "/plant";

Result Fly(const std::string &vessel, const std::string &arguments) {
  return Vesselsim("run --root " + kRoot + " " + kRoot + "/Scenarios/" + vessel + ".scn " + arguments);
}

}  // namespace

// A fuel cell drains its own oxygen tank to a third in an hour. What it takes
// leaves with its share of the tank's energy, so the tank does not heat up: it
// ends no warmer than an untouched twin (both all but insulated).
TEST(VesselsimPlant, ATankAFuelCellDrainsDoesNotHeatUp) {
  const Result r = Fly("Drain", "--dt 0.1 --duration 3600 --events " + kRoot + "/Scenarios/Drain.events " +
                                    "--watch HYDRAULIC:O2TANK:MASS --watch HYDRAULIC:O2TANK:TEMP " +
                                    "--watch HYDRAULIC:O2SPARE:TEMP --watch ELECTRIC:FC:AMPS");
  ASSERT_EQ(r.status, 0) << r.out;
  auto end = WatchLines(r.out);
  EXPECT_EQ(end["ELECTRIC:FC:AMPS"], 33.0);
  EXPECT_LT(end["HYDRAULIC:O2TANK:MASS"], 400.0);
  EXPECT_GT(end["HYDRAULIC:O2TANK:TEMP"], 200.0);
  EXPECT_LE(end["HYDRAULIC:O2TANK:TEMP"], end["HYDRAULIC:O2SPARE:TEMP"] + 0.5);
}

// A bottle typed with a negative volume would have no pressure but an
// undefined one, which its pipe would carry into the cabin and the saved
// scenario. The check says so at its line, the bottle is not built, and a
// value that is not a finite number is refused wherever a run would write it.
TEST(VesselsimPlant, NoNumberThatIsNotOneIsKeptOrSaved) {
  const Result check = Vesselsim("check Negative --strict --root " + kRoot);
  EXPECT_EQ(check.status, 1) << check.out;
  EXPECT_NE(check.out.find("Negative.cfg:10: tank BOTTLE has a volume of -20 L; a tank must hold more than 0 L, so "
                           "it is not built"),
            std::string::npos)
      << check.out;
  const std::string saved = TempPath("negative.scn");
  Result r = Fly("Negative", "--duration 60 --save " + saved + " --watch HYDRAULIC:CABIN:PRESS");
  ASSERT_EQ(r.status, 0) << r.out;
  const double cabin = WatchLines(r.out).at("HYDRAULIC:CABIN:PRESS");
  EXPECT_TRUE(std::isfinite(cabin) && cabin > 0) << r.out;
  std::string scenario = ReadFile(saved);
  EXPECT_EQ(scenario.find("nan"), std::string::npos);
  // A scenario that gives the cabin no room is not taken at its word either:
  // the cabin keeps its own volume.
  const std::string resume = "run --root " + kRoot + " " + saved + " --duration 1 --watch HYDRAULIC:CABIN:PRESS";
  r = Vesselsim(resume);
  const double resumed = WatchLines(r.out).at("HYDRAULIC:CABIN:PRESS");
  const size_t volume = scenario.find("CABIN 5000.000000");
  ASSERT_NE(volume, std::string::npos) << scenario;
  scenario.replace(volume, 17, "CABIN -5");
  std::ofstream(saved) << scenario;
  r = Vesselsim(resume);
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(WatchLines(r.out).at("HYDRAULIC:CABIN:PRESS"), resumed) << r.out;
  for (const char *value : {"nan", "inf", "-1e999", "float=1e39"}) {
    const std::string events = TempPath("write.events");
    const std::string typed = std::string(value).rfind("float=", 0) == 0 ? "float=" : "";
    std::ofstream(events) << "1 set " << typed << "HYDRAULIC:CABIN:PRESS " << (value + typed.size()) << "\n";
    r = Fly("Negative", "--duration 2 --events " + events);
    EXPECT_EQ(r.status, 2) << value;
    EXPECT_NE(r.out.find("a finite number the variable can hold is wanted"), std::string::npos) << r.out;
  }
}

// A cooling loop's body lines are references like every other: one that
// names nothing is logged, and what the loop leaves out (a body without its
// coefficient, a seventh body) the check says at its line, as it does a block
// that never closes and takes the keyboard map with it.
TEST(VesselsimPlant, ACoolingLoopSaysWhatItLeavesOut) {
  Result r = Vesselsim("check Loop --strict --root " + kRoot);
  EXPECT_EQ(r.status, 1);
  for (const char *finding :
       {"ERROR AT LINE: 21HYDRAULIC:NOWHERE", "Loop.cfg:20: cooling body HYDRAULIC:HOT has no coefficient: it is left "
                                              "out of loop LOOP",
        "Loop.cfg:28: loop LOOP already has 6 bodies: HYDRAULIC:COLD is left out"})
    EXPECT_NE(r.out.find(finding), std::string::npos) << finding << "\n" << r.out;
  r = Vesselsim("check Unclosed --strict --root " + kRoot);
  EXPECT_NE(r.out.find("Unclosed.cfg:13: block has no </COOLING> line: it reads on past </ELECTRIC> at line 15"),
            std::string::npos)
      << r.out;
}

// Typing mistakes that leave an object unbuilt or built wrong are each
// pointed at, at their line, with what the module does about them.
TEST(VesselsimPlant, TheCheckPointsAtEveryTypingMistake) {
  const Result r = Vesselsim("check Typos --strict --root " + kRoot);
  EXPECT_EQ(r.status, 1);
  for (const char *finding :
       {"Typos.cfg:5: \"<0 1 x>\" is not 3 numbers in <>", "Typos.cfg:5: tank BAD has a volume of 0 L",
        "Typos.cfg:9: exhaust line gives 6 of its 7 numbers", "Typos.cfg:14: vent VENT already has 4 exhausts",
        "Typos.cfg:17: radiator FEW wants", "Typos.cfg:19: radiator LIGHT wants",
        "Typos.cfg:21: radiator REMARKED wants",
        "Typos.cfg:24: substance 0 of tank ODD: 200 g of vapour is more than its 100 g in all",
        "Typos.cfg:25: substance 3 of tank ODD: its energy puts it at 29.5 K, below the 61.5 K it can be held at",
        "Typos.cfg:26: substance 1 of tank ODD: a mass, vapour mass or energy below 0 cannot be"})
    EXPECT_NE(r.out.find(finding), std::string::npos) << finding << "\n" << r.out;
}

// A battery charging from a bus that a separation deletes stops charging and
// keeps its command; restored from a scenario saved after, it says the same.
// A watch whose name found the bus (the first object whose name begins with
// it) stays on the bus and reads nan once it is gone, rather than reading the
// battery the name finds now.
TEST(VesselsimPlant, ABatteryWhoseSourceWentStaysAsItWasAfterARestore) {
  const std::string saved = TempPath("orphan.scn");
  const std::string watches = " --watch int=ELECTRIC:SPARE:LOAD --watch ELECTRIC:SPARE:LOADING";
  Result r = Fly("Orphan", "--duration 4 --events " + kRoot + "/Scenarios/Orphan.events --save " + saved + watches +
                               " --watch ELECTRIC:S:AMPS");
  ASSERT_EQ(r.status, 0) << r.out;
  auto flown = WatchLines(r.out);
  EXPECT_TRUE(std::isnan(flown.at("ELECTRIC:S:AMPS"))) << r.out;
  flown.erase("ELECTRIC:S:AMPS");
  EXPECT_EQ(flown.at("ELECTRIC:SPARE:LOAD"), 1.0);
  EXPECT_EQ(flown.at("ELECTRIC:SPARE:LOADING"), 0.0);
  r = Vesselsim("run --root " + kRoot + " " + saved + " --duration 2" + watches);
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(WatchLines(r.out), flown);
}

// A reference finds the first object whose name begins with it, and a
// variable the first variable name it begins with; where that is not the
// name written, the check says so, as it does a socket turned to a position
// without a candidate.
TEST(VesselsimPlant, TheCheckPointsAtNamesThatBeginOtherNames) {
  const Result r = Vesselsim("check Prefix --strict --root " + kRoot);
  EXPECT_EQ(r.status, 1);
  for (const char *finding : {"Prefix.cfg:15: reference LMPBUS finds LMPBUSAUX, declared first and named beginning "
                              "with it: it never reaches the electric object LMPBUS",
                              "Prefix.cfg:16: socket SELECT at position 4 selects no candidate",
                              "Prefix.cfg:18: variable TEMPERATURE is read as TEMP"})
    EXPECT_NE(r.out.find(finding), std::string::npos) << finding << "\n" << r.out;
}

// A fuel cell's START and a valve's OPEN are read once a step: a momentary
// switch on one springs back before that, and the check says so.
TEST(VesselsimPlant, TheCheckPointsAtAMomentarySwitchOnACommand) {
  const Result r = Vesselsim("check Switches --strict --root " + kRoot);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Switches.cfg:15: a momentary switch on ELECTRIC:FC:START springs back to 0 before the command "
                       "is read: use a switch that stays"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("Switches.cfg:16: a momentary switch on HYDRAULIC:O2:OUT:OPEN"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("Switches.cfg:17:"), std::string::npos) << r.out;
}
