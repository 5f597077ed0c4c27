// A vessel whose stages make and drop tanks, vent all the time and delete
// power consumers of every kind, flown through two separations, saved in the
// middle of a burn and restored: nothing it holds may be lost or moved.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "Vesselsim.h"

namespace {

const std::string kData = std::string(TEST_DATA_DIR) + "/stages";

// A fresh copy of the vessel's root, since the module writes its log there.
std::string FreshRoot(const std::string &name) {
  const std::string root = TempPath(name);
  EXPECT_EQ(std::system(("rm -rf " + root + " && cp -r " + kData + " " + root).c_str()), 0);
  return root;
}

// What `--describe` says of one vessel's propellants and thrusters.
std::string Propulsion(const std::string &out, const std::string &vessel) {
  const size_t start = out.find("vessel " + vessel + " ");
  const size_t from = out.find("  propellant resources", start);
  const size_t to = out.find("  docks", from);
  return start == std::string::npos || to == std::string::npos ? "" : out.substr(from, to - from);
}

// The line that begins with `start`.
std::string LineOf(const std::string &text, const std::string &start) {
  const size_t from = text.find(start);
  return from == std::string::npos ? "" : text.substr(from, text.find('\n', from) - from);
}

// Flies the two separations and saves in the middle of the third stage's burn.
Result Fly(const std::string &root, const std::string &saved, const std::string &options = "") {
  return Vesselsim("run --quiet --root " + root + " " + root + "/Scenarios/Stages.scn --vessel Stages-1 --duration 8" +
                   " --events " + root + "/Scenarios/Flight.events --save " + saved + " --describe " + options);
}

}  // namespace

// The host's resources and thrusters after the restore are those at the save:
// every tank its own mass, the gas in the vent, thruster and group levels,
// one vent resource and no more; the masses and levels carry the burns.
TEST(VesselsimStages, SeparationsSaveAndRestoreLoseNothing) {
  const std::string root = FreshRoot("restore");
  const std::string saved = root + "/saved.scn", again = root + "/again.scn";
  const Result flown = Fly(root, saved);
  ASSERT_EQ(flown.status, 0) << flown.out;
  const Result restored = Vesselsim("run --quiet --root " + root + " " + saved + " --steps 0 --describe --save " + again);
  ASSERT_EQ(restored.status, 0) << restored.out;

  const std::string before = Propulsion(flown.out, "Stages-1");
  EXPECT_NE(before.find("propellant resources 5\n"), std::string::npos) << before;
  EXPECT_NE(before.find("[4] 0.000452"), std::string::npos) << before;  // the vent's gas
  EXPECT_NE(before.find("level 0.5\n"), std::string::npos) << before;
  EXPECT_EQ(Propulsion(restored.out, "Stages-1"), before);
  EXPECT_EQ(ReadFile(again), ReadFile(saved));
}

// Each kind of consumer deleted at the first separation takes its draw off its
// own source; before it, each was drawing.
TEST(VesselsimStages, DeletedConsumersTakeTheirDrawsAlong) {
  const std::string root = FreshRoot("draws");
  const std::string csv = root + "/draws.csv";
  const Result r = Fly(root, root + "/saved.scn",
                       "--every 2.5 --csv " + csv +
                           " --watch ELECTRIC:FOR_DC:AMPS --watch ELECTRIC:FOR_AC:AMPS --watch ELECTRIC:FOR_CHARGER:AMPS"
                           " --watch ELECTRIC:FOR_LOOP:AMPS --watch ELECTRIC:FOR_REGEN:AMPS"
                           " --watch ELECTRIC:HEATER_AC:AMPS");
  ASSERT_EQ(r.status, 0) << r.out;
  // At 2.5 s a DC bus's 3 A, an AC bus's 6 A seen at 28.8 V, a charger's 30 A,
  // a pump's 8.3 A, a scrubber's 5 A and the heater's 360 W at 36.6 V on top
  // of its AC bus's own 6 A; at 7.5 s, only that bus's own draw.
  const std::string table = ReadFile(csv);
  EXPECT_NE(table.find("\n2.5,3,7.5,30,8.300000190734863,5,15.836065292358398\n"), std::string::npos) << table;
  EXPECT_NE(table.find("\n7.5,0,0,0,0,0,6\n"), std::string::npos) << table;
}

// The log keeps the findings of every vessel's configuration, each entry as
// the module writes it, in the order the vessels were read.
TEST(VesselsimStages, EveryVesselsFindingsStayInTheLog) {
  const std::string root = FreshRoot("log");
  ASSERT_EQ(Vesselsim("run --quiet --root " + root + " " + root + "/Scenarios/Stages.scn --steps 1").status, 0);
  const std::string entry = "ERROR AT LINE: 5<DCBUS> BUS NOSUCHSOURCE 02:Invalid component\n";
  EXPECT_EQ(ReadFile(root + "/Varneldebug.txt"), entry + entry);
}

// A restore after the configuration file lost a propellant tank and a fluid
// tank logs their records and puts them nowhere: every other tank keeps its
// own, the store whose name begins like the lost one included.
TEST(VesselsimStages, ARestoreLogsWhatTheChangedConfigurationCannotHold) {
  const std::string root = FreshRoot("changed");
  const std::string saved = root + "/saved.scn";
  const Result flown = Fly(root, saved, "--watch HYDRAULIC:STORE2:MASS");
  ASSERT_EQ(flown.status, 0) << flown.out;
  std::string configuration = ReadFile(root + "/Config/Stages.cfg");
  configuration.erase(configuration.find("B 50 1 4\n"), 9);
  const size_t store = configuration.find("<TANK> STORE <");
  configuration.erase(store, configuration.find("</TANK>\n", store) + 8 - store);
  std::ofstream(root + "/Config/Stages.cfg") << configuration;

  const Result restored =
      Vesselsim("run --quiet --root " + root + " " + saved + " --vessel Stages-1 --steps 0 --describe "
                "--watch HYDRAULIC:STORE2:MASS");
  ASSERT_EQ(restored.status, 0) << restored.out;
  const std::string log = ReadFile(root + "/Varneldebug.txt");
  EXPECT_NE(log.find("ERROR IN SCENARIO: B 49.9374999999997 01:Object name not found\n"), std::string::npos) << log;
  EXPECT_NE(log.find("ERROR IN SCENARIO: <TANK>  STORE 50.000000 1 1 01:Object name not found\n"), std::string::npos)
      << log;
  // A, D and C keep their places and masses; the vent's gas follows them.
  const std::string before = Propulsion(flown.out, "Stages-1"), after = Propulsion(restored.out, "Stages-1");
  for (const char *tank : {"    [0] ", "    [1] ", "    [2] "}) EXPECT_EQ(LineOf(after, tank), LineOf(before, tank));
  EXPECT_EQ(LineOf(after, "    [3] ").substr(8), LineOf(before, "    [4] ").substr(8));
  EXPECT_EQ(WatchLines(restored.out).at("HYDRAULIC:STORE2:MASS"), WatchLines(flown.out).at("HYDRAULIC:STORE2:MASS"));
}

// A scenario written before the module recorded its propellants restores them
// from the host's numbered levels, which the separations kept in the order a
// restore makes the tanks in; the vent's gas was not recorded then.
TEST(VesselsimStages, AnOlderScenarioTakesTheHostsNumberedLevels) {
  const std::string root = FreshRoot("older");
  const std::string saved = root + "/saved.scn", older = root + "/older.scn";
  const Result flown = Fly(root, saved);
  ASSERT_EQ(flown.status, 0) << flown.out;
  std::string text = ReadFile(saved);
  const size_t record = text.find("  <PROPELLANTS> \n  A ");
  ASSERT_NE(record, std::string::npos) << text;
  text.erase(record, text.find("</PROPELLANTS> \n", record) + 16 - record);
  std::ofstream(older) << text;
  const Result restored = Vesselsim("run --quiet --root " + root + " " + older + " --steps 0 --describe");
  ASSERT_EQ(restored.status, 0) << restored.out;
  const std::string before = Propulsion(flown.out, "Stages-1"), after = Propulsion(restored.out, "Stages-1");
  for (const char *tank : {"    [0] ", "    [1] ", "    [2] ", "    [3] "}) EXPECT_EQ(LineOf(after, tank), LineOf(before, tank));
  EXPECT_EQ(LineOf(after, "    [4] "), "    [4] 0 of 0 kg, efficiency 1");
}
