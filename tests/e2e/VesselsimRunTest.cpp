// The bench's `run` driven as a vessel author drives it: through the program.
#include <gtest/gtest.h>

#include <string>

#include "Vesselsim.h"

namespace {

const std::string kMinimal = std::string("run --root ") + EXAMPLES_DIR + "/minimal " + EXAMPLES_DIR +
                             "/minimal/Scenarios/Minimal.scn";

const std::string kStackRoot = std::string(EXAMPLES_DIR) + "/stack";
const std::string kStack = "run --root " + kStackRoot + " " + kStackRoot + "/Scenarios/Stack.scn";

const std::string kCapsuleRoot = std::string(EXAMPLES_DIR) + "/capsule";
const std::string kCapsule = "run --root " + kCapsuleRoot + " " + kCapsuleRoot + "/Scenarios/Capsule.scn";

}  // namespace

TEST(VesselsimRun, CircularOrbitStaysCircularForAMinute) {
  const Result r = Vesselsim(kMinimal +
                             " --duration 60 --watch SHIP:ALTITUDE --watch SHIP:DVTOGO --watch SHIP:TOTALMASS");
  ASSERT_EQ(r.status, 0) << r.out;
  const auto values = WatchLines(r.out);
  ASSERT_EQ(values.size(), 3u) << r.out;
  EXPECT_NEAR(values.at("SHIP:ALTITUDE"), 300e3, 1e3);
  EXPECT_NEAR(values.at("SHIP:DVTOGO"), 0.0, 1.0);
  EXPECT_EQ(values.at("SHIP:TOTALMASS"), 0.0);
}

TEST(VesselsimRun, UnresolvedWatchIsAUsageErrorBeforeTheRun) {
  const Result r = Vesselsim(kMinimal + " --steps 10 --watch SHIP:NOSUCHVARIABLE");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("SHIP:NOSUCHVARIABLE"), std::string::npos) << r.out;
}

TEST(VesselsimRun, BadUsageExitsWithTwo) {
  EXPECT_EQ(Vesselsim(kMinimal).status, 2);  // neither --duration nor --steps
  EXPECT_EQ(Vesselsim(kMinimal + " --steps 1 --dt 0").status, 2);
  EXPECT_EQ(Vesselsim("run /no/such/scenario.scn --steps 1").status, 2);
  EXPECT_EQ(Vesselsim(kMinimal + " --steps 1 --watch bogus=SHIP:ALTITUDE").status, 2);
  EXPECT_EQ(Vesselsim("fly").status, 2);
}

TEST(VesselsimRun, CsvRowsFollowTheClockAndEventsActAfterTheRow) {
  const std::string events = TempPath("events.txt");
  std::ofstream(events) << "# set a custom variable at t = 1.0\n1.0 set int=SHIP:CUSTOMINT1 7\n"
                           "1.0 set SHIP:CUSTOMDBL2 2.5\n";
  const std::string csv = TempPath("run.csv");
  const Result r = Vesselsim(kMinimal + " --dt 0.1 --duration 2 --every 0.5 --events " + events +
                             " --csv " + csv + " --watch int=SHIP:CUSTOMINT1 --watch SHIP:CUSTOMDBL2");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(ReadFile(csv),
            "time,SHIP:CUSTOMINT1,SHIP:CUSTOMDBL2\n"
            "0,0,0\n0.5,0,0\n1,0,0\n1.5,7,2.5\n2,7,2.5\n");
  const auto values = WatchLines(r.out);
  EXPECT_EQ(values.at("SHIP:CUSTOMINT1"), 7);
  EXPECT_EQ(values.at("SHIP:CUSTOMDBL2"), 2.5);
}

// TYPE says how a value is shown and parsed; the variable is read and written
// as the module keeps it, so a double never overruns an integer.
TEST(VesselsimRun, VariablesAreReadAndWrittenAsTheModuleKeepsThem) {
  const std::string events = TempPath("typed-events.txt");
  std::ofstream(events) << "0 set SHIP:CUSTOMINT1 7.9\n0 set int=SHIP:CUSTOMINT2 -5\n0 set float=SHIP:CUSTOMDBL1 0.1\n";
  const Result r = Vesselsim(kMinimal + " --steps 2 --events " + events +
                             " --watch SHIP:CUSTOMINT1 --watch SHIP:CUSTOMINT2 --watch int=SHIP:CUSTOMDBL1"
                             " --watch float=SHIP:CUSTOMDBL1");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("SHIP:CUSTOMINT1 = 7\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("SHIP:CUSTOMINT2 = -5\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("SHIP:CUSTOMDBL1 = 0\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("SHIP:CUSTOMDBL1 = 0.1\n"), std::string::npos) << r.out;
}

TEST(VesselsimRun, WhatIsNotANumberCannotBeWatchedOrSet) {
  for (const char *reference : {"HYDRAULIC:CABIN", "HYDRAULIC:CABIN:IN", "ELECTRIC:MAINA:SRC"}) {
    const Result r = Vesselsim(kCapsule + " --steps 1 --watch " + reference);
    EXPECT_EQ(r.status, 2) << reference;
    EXPECT_NE(r.out.find(std::string("names no number: ") + reference), std::string::npos) << r.out;
  }
}

// A mistake in an events file or a scenario names its file and line.
TEST(VesselsimRun, BadEventOrScenarioLineNamesItsLine) {
  const std::string events = TempPath("bad-events.txt");
  std::ofstream(events) << "0.5 key OAPI_KEY_J\n1.0 key NOT_A_KEY\n";
  Result r = Vesselsim(kMinimal + " --steps 5 --events " + events);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("bad-events.txt:2: "), std::string::npos) << r.out;
  const std::string scenario = TempPath("bad.scn");
  std::ofstream(scenario) << "BEGIN_SHIPS\nProbe-1:Minimal\nEND\nNoClass\nEND_SHIPS\n";
  r = Vesselsim(std::string("run --root ") + EXAMPLES_DIR + "/minimal " + scenario + " --steps 1");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("bad.scn:4: ship line without NAME:CLASS"), std::string::npos) << r.out;
}

TEST(VesselsimRun, SavedScenarioRestoresTheVesselWhereItWas) {
  const std::string saved = TempPath("saved.scn");
  Result r = Vesselsim(kMinimal + " --duration 100 --save " + saved + " --watch SHIP:ALTITUDE --watch SHIP:YAW");
  ASSERT_EQ(r.status, 0) << r.out;
  const std::string text = ReadFile(saved);
  EXPECT_NE(text.find("Probe-1:Minimal\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  <SOURCE> Minimal\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  <CONFIG> 1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  <INTERNALS> \n  <PROPELLANTS> \n  <VENT> 0 0 0\n  </PROPELLANTS> \n"
                      "  <HYDRAULIC> \n  </HYDRAULIC> \n  <ELECTRIC> \n  </ELECTRIC> \n  </INTERNALS> \n"),
            std::string::npos)
      << text;
  const auto before = WatchLines(r.out);

  r = Vesselsim(std::string("run --root ") + EXAMPLES_DIR + "/minimal " + saved +
                " --steps 0 --watch SHIP:ALTITUDE --watch SHIP:YAW");
  ASSERT_EQ(r.status, 0) << r.out;
  // Not yet stepped, the vessel shows its state as loaded.
  const auto after = WatchLines(r.out);
  EXPECT_NEAR(after.at("SHIP:ALTITUDE"), before.at("SHIP:ALTITUDE"), 0.01);
  EXPECT_NEAR(after.at("SHIP:YAW"), before.at("SHIP:YAW"), 1e-6);
}

TEST(VesselsimRun, DescribePrintsTheHostModel) {
  const Result r = Vesselsim(kMinimal + " --steps 1 --describe");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("vessel Probe-1 (Minimal) module genvessel"), std::string::npos) << r.out;
}

TEST(VesselsimStack, KeyPressesSeparateAndTheSavedStageRestoresAsItWas) {
  const std::string events = TempPath("stack-events.txt");
  std::ofstream(events) << "5 key OAPI_KEY_K\n10 key OAPI_KEY_J\n20 key OAPI_KEY_K\n";
  const std::string saved = TempPath("stack3.scn");
  Result r = Vesselsim(kStack + " --duration 30 --events " + events + " --save " + saved +
                       " --describe --watch SHIP:TOTALMASS");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(WatchLines(r.out).at("SHIP:TOTALMASS"), 3050.0);
  EXPECT_NE(r.out.find("vessel Stack-1_StackTransferStage (StackTransferStage) plain body"), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("vessel Stack-1_StackServiceModule"), std::string::npos);
  const std::string text = ReadFile(saved);
  EXPECT_NE(text.find("  <CONFIG> 3\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Stack-1_StackAdapter:StackAdapter\n"), std::string::npos) << text;

  r = Vesselsim("run --root " + kStackRoot + " " + saved + " --steps 1 --describe --watch SHIP:TOTALMASS");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(WatchLines(r.out).at("SHIP:TOTALMASS"), 3050.0);
  size_t vessels = 0;
  for (size_t at = r.out.find("\nvessel "); at != std::string::npos; at = r.out.find("\nvessel ", at + 1)) ++vessels;
  EXPECT_EQ(vessels, 4u) << r.out;  // the stack and its three parts, no new ones
}

TEST(VesselsimStack, MainEngineBurnsItsTankAtThrustOverIsp) {
  const std::string events = TempPath("burn-events.txt");
  std::ofstream(events) << "0 group THGROUP_MAIN 1\n10 group THGROUP_MAIN 0\n";
  const Result r = Vesselsim(kStack + " --duration 20 --events " + events +
                             " --watch SHIP:FUEL1 --watch SHIP:TOTALMASS --watch SHIP:MAINTH");
  ASSERT_EQ(r.status, 0) << r.out;
  const auto values = WatchLines(r.out);
  // 30 kN at 3100 m/s for 10 s from the 7000 kg transfer-stage tank.
  const double burned = 30000.0 / 3100.0 * 10.0;
  EXPECT_NEAR(values.at("SHIP:FUEL1"), (7000.0 - burned) / 7000.0, 1e-5);
  EXPECT_NEAR(values.at("SHIP:TOTALMASS"), 18700.0 - burned, 0.05);
  EXPECT_EQ(values.at("SHIP:MAINTH"), 0.0);
}

TEST(VesselsimCapsule, ValveCommandsReachFluidVariablesThroughHydraulicReferences) {
  const std::string events = TempPath("valve-events.txt");
  std::ofstream(events) << "1 set int=HYDRAULIC:WASTE:OUT:OPEN 3\n";
  const std::string watches =
      " --watch float=HYDRAULIC:WASTE:OUT:PZ --watch int=HYDRAULIC:WASTE:OUT:ISOPEN --watch HYDRAULIC:WASTE:MASS";
  Result r = Vesselsim(kCapsule + " --duration 2 --events " + events + watches);
  ASSERT_EQ(r.status, 0) << r.out;
  auto values = WatchLines(r.out);
  EXPECT_NEAR(values.at("HYDRAULIC:WASTE:OUT:PZ"), 2.0, 1e-3);
  EXPECT_EQ(values.at("HYDRAULIC:WASTE:OUT:ISOPEN"), 0);
  EXPECT_NEAR(values.at("HYDRAULIC:WASTE:MASS"), 58.0, 1e-9);

  const std::string csv = TempPath("valve.csv");
  r = Vesselsim(kCapsule + " --duration 60 --every 60 --csv " + csv + " --events " + events + watches +
                " --watch SHIP:TOTALMASS");
  ASSERT_EQ(r.status, 0) << r.out;
  values = WatchLines(r.out);
  EXPECT_EQ(values.at("HYDRAULIC:WASTE:OUT:PZ"), 0.0);
  EXPECT_EQ(values.at("HYDRAULIC:WASTE:OUT:ISOPEN"), 1);
  // The waste tank drains overboard; the vent thrusters burn what it vented.
  const double vented = 58.0 - values.at("HYDRAULIC:WASTE:MASS");
  EXPECT_GT(vented, 0.5);
  const std::string rows = ReadFile(csv);
  const double totalMass = std::atof(rows.substr(rows.rfind(',') + 1).c_str());
  EXPECT_NEAR(totalMass, 4560.0 - vented / 1000, 1e-4) << rows;
}

TEST(VesselsimCapsule, CrewBreathingShowsInTheCabinAndTheSavedTanks) {
  const std::string saved = TempPath("capsule.scn");
  const Result r = Vesselsim(kCapsule + " --duration 120 --watch HYDRAULIC:CABIN:CO2_PPRESS --watch "
                                        "HYDRAULIC:CABIN:PRESS --save " + saved);
  ASSERT_EQ(r.status, 0) << r.out;
  const auto values = WatchLines(r.out);
  EXPECT_GT(values.at("HYDRAULIC:CABIN:CO2_PPRESS"), 100.0);
  EXPECT_NEAR(values.at("HYDRAULIC:CABIN:PRESS"), 101e3, 3e3);
  const std::string text = ReadFile(saved);
  EXPECT_NE(text.find("     <TANK>  CABIN 10000.000000 1 1\n        CHM    0 "), std::string::npos) << text;
  EXPECT_NE(text.find("        CHM    4 "), std::string::npos) << text;
  EXPECT_EQ(ReadFile(kCapsuleRoot + "/Varneldebug.txt"), "");
}

TEST(VesselsimCapsule, FuelCellsStartAndBusesReconnectOnCommand) {
  const std::string events = TempPath("start-events.txt");
  std::ofstream(events) << "0 set int=ELECTRIC:FC1:START 1\n1 set int=ELECTRIC:MAINA:RESET 1\n"
                           "1 set int=ELECTRIC:AC1:RESET 1\n";
  const Result r = Vesselsim(kCapsule + " --duration 5 --events " + events +
                             " --watch ELECTRIC:FC1:VOLTS --watch int=ELECTRIC:FC1:START --watch ELECTRIC:FC1:RUNNING"
                             " --watch ELECTRIC:MAINA:VOLTS --watch ELECTRIC:AC1:VOLTS --watch ELECTRIC:MAINB:VOLTS"
                             " --watch ELECTRIC:FC1:AMPS");
  ASSERT_EQ(r.status, 0) << r.out;
  const auto v = WatchLines(r.out);
  EXPECT_EQ(v.at("ELECTRIC:FC1:VOLTS"), 28.8);
  EXPECT_EQ(v.at("ELECTRIC:FC1:START"), 2);
  EXPECT_EQ(v.at("ELECTRIC:FC1:RUNNING"), 0.0);
  EXPECT_EQ(v.at("ELECTRIC:MAINA:VOLTS"), 28.8);
  EXPECT_EQ(v.at("ELECTRIC:AC1:VOLTS"), 36.0);
  EXPECT_EQ(v.at("ELECTRIC:MAINB:VOLTS"), 0.0);  // its cell never started
  EXPECT_GT(v.at("ELECTRIC:FC1:AMPS"), 10.0);
}

TEST(VesselsimCapsule, ARunningPlantRestoresRunningAndKeepsTheCabinWarm) {
  const Result r = Vesselsim("run --root " + kCapsuleRoot + " " + kCapsuleRoot +
                             "/Scenarios/CapsuleRunning.scn --duration 600 --watch ELECTRIC:ESSENTIAL:VOLTS"
                             " --watch HYDRAULIC:CABIN:TEMP --watch ELECTRIC:FC2:VOLTS --watch ELECTRIC:CABINHEAT:ISON");
  ASSERT_EQ(r.status, 0) << r.out;
  const auto v = WatchLines(r.out);
  EXPECT_EQ(v.at("ELECTRIC:ESSENTIAL:VOLTS"), 28.8);
  EXPECT_EQ(v.at("ELECTRIC:FC2:VOLTS"), 28.8);
  EXPECT_NEAR(v.at("HYDRAULIC:CABIN:TEMP"), 296.0, 3.0);
}

// The host calls a module's vessel only through a VESSEL2: a module whose
// vessels are plain VESSELs is told of once, and its vessels fly and save as
// the host's own, its older entry points never called.
TEST(VesselsimRun, APlainVesselIsFlownByTheHostAloneAndNeverCalled) {
  const std::string root = std::string(TEST_DATA_DIR) + "/plain";
  const std::string saved = TempPath("plain.scn");
  const Result r = Vesselsim("run --root " + root + " " + root + "/Scenarios/Plain.scn --steps 5 --describe --save " +
                             saved);
  ASSERT_EQ(r.status, 0) << r.out;
  const std::string notice = "Plain-1 is a plain VESSEL: the host calls none of its callbacks";
  ASSERT_NE(r.out.find(notice), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find(notice, r.out.find(notice) + 1), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("Plain-2 is a plain VESSEL"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("empty mass 1 kg"), std::string::npos) << r.out;
  const std::string scenario = ReadFile(saved);
  EXPECT_NE(scenario.find("Plain-2:Plain\n  STATUS Orbiting Earth\n  RPOS"), std::string::npos) << scenario;
  EXPECT_EQ(scenario.find("CALLED"), std::string::npos) << scenario;
}
