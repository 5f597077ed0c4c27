// A vessel whose stages make and drop tanks, vent all the time and delete
// power consumers of every kind, flown through two separations, saved in the
// middle of a burn and restored: nothing it holds may be lost or moved.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "Vesselsim.h"

namespace {

// What `--describe` says of the vessel's propellants and thrusters.
std::string Propulsion(const std::string &out) {
  const size_t from = out.find("  propellant resources", out.find("vessel Stages-1 "));
  const size_t to = out.find("  docks", from);
  return to == std::string::npos ? "" : out.substr(from, to - from);
}

// The line that begins with `start`.
std::string LineOf(const std::string &text, const std::string &start) {
  const size_t from = text.find(start);
  return from == std::string::npos ? "" : text.substr(from, text.find('\n', from) - from);
}

// `text` without the part from `begin` up to and including `end`.
std::string Without(std::string text, const std::string &begin, const std::string &end) {
  const size_t from = text.find(begin);
  if (from != std::string::npos) text.erase(from, text.find(end, from) + end.size() - from);
  return text;
}

}  // namespace

TEST(VesselsimStages, AFlightThroughTwoSeparationsLosesNothing) {
  const std::string root = CopyOfTestRoot("stages", "stages");
  const std::string saved = root + "/saved.scn", csv = root + "/draws.csv";
  const auto restore = [&](const std::string &scenario) {
    const Result r = Vesselsim("run --quiet --root " + root + " " + scenario + " --vessel Stages-1 --steps 0" +
                               " --describe --watch HYDRAULIC:STORE2:MASS --save " + root + "/again.scn");
    EXPECT_EQ(r.status, 0) << r.out;
    return r.out;
  };
  const Result flown = Vesselsim(
      "run --quiet --root " + root + " " + root + "/Scenarios/Stages.scn --vessel Stages-1 --duration 8 --events " +
      root + "/Scenarios/Flight.events --save " + saved + " --describe --every 2.5 --csv " + csv +
      " --watch ELECTRIC:FOR_DC:AMPS --watch ELECTRIC:FOR_AC:AMPS --watch ELECTRIC:FOR_CHARGER:AMPS" +
      " --watch ELECTRIC:FOR_LOOP:AMPS --watch ELECTRIC:FOR_REGEN:AMPS --watch ELECTRIC:HEATER_AC:AMPS" +
      " --watch HYDRAULIC:STORE2:MASS");
  ASSERT_EQ(flown.status, 0) << flown.out;
  // The dropped stage is built from its class file's keys (an unknown one
  // passed over), as the host builds a class without a module.
  EXPECT_NE(flown.out.find("vessel Stages-1_StagesDrop (StagesDrop) plain body\n"
                           "  empty mass 220 kg, total mass 220 kg, size 1.5 m\n"
                           "  inertia (0.8, 0.8, 0.4), cw (0.4, 0.7, 1, 1), cross sections (2, 2, 1.8), no focus\n"
                           "  meshes 1\n    StagesDrop at (0, 0, 0)\n"),
            std::string::npos)
      << flown.out;

  // The two probes' findings, one entry each, in the order they were read.
  const std::string entry = "ERROR AT LINE: 5<DCBUS> BUS NOSUCHSOURCE 02:Invalid component\n";
  EXPECT_EQ(ReadFile(root + "/Varneldebug.txt"), entry + entry);

  // Each kind of consumer the first separation deletes takes its draw off its
  // own source. At 2.5 s: a DC bus's 3 A, an AC bus's 6 A seen at 28.8 V, a
  // charger's 30 A, a pump's 8.3 A, a scrubber's 5 A, and the heater's 360 W
  // at 36.6 V on top of its AC bus's own 6 A; at 7.5 s, that bus's alone.
  const std::string table = ReadFile(csv);
  EXPECT_NE(table.find("\n2.5,3,7.5,30,8.300000190734863,5,15.836065292358398,"), std::string::npos) << table;
  EXPECT_NE(table.find("\n7.5,0,0,0,0,0,6,"), std::string::npos) << table;

  // Restored: every tank its own mass, the vent's gas, thruster and group
  // levels, one vent resource and no more; the restore saves the same file.
  const std::string before = Propulsion(flown.out);
  EXPECT_NE(before.find("propellant resources 5\n"), std::string::npos) << before;
  EXPECT_NE(before.find("[4] 0.000452"), std::string::npos) << before;
  // Each resource says what made it, each group its name.
  EXPECT_NE(before.find(", efficiency 1, tank A\n"), std::string::npos) << before;
  EXPECT_NE(before.find(", vent\n"), std::string::npos) << before;
  EXPECT_NE(before.find("    THGROUP_MAIN:"), std::string::npos) << before;
  EXPECT_NE(before.find("level 0.5\n"), std::string::npos) << before;
  EXPECT_EQ(Propulsion(restore(saved)), before);
  EXPECT_EQ(ReadFile(root + "/again.scn"), ReadFile(saved));

  // Written before the module recorded its propellants, the file restores
  // from the host's numbered levels, which the separations kept in the
  // order a restore makes the tanks in; the vent's gas was not recorded then.
  std::ofstream(root + "/older.scn") << Without(ReadFile(saved), "  <PROPELLANTS> \n  A ", "</PROPELLANTS> \n");
  std::string after = Propulsion(restore(root + "/older.scn"));
  for (const char *tank : {"    [0] ", "    [1] ", "    [2] ", "    [3] "})
    EXPECT_EQ(LineOf(after, tank), LineOf(before, tank));
  EXPECT_EQ(LineOf(after, "    [4] "), "    [4] 0 of 0 kg, efficiency 1, vent");

  // The configuration loses propellant tank B and fluid tank STORE: their
  // records are logged and put nowhere; A, D and C keep their places and
  // masses, the vent's gas follows them, STORE2 keeps its own contents.
  const std::string configuration = root + "/Config/Stages.cfg";
  const std::string lessened = Without(Without(ReadFile(configuration), "B 50 1 4", "\n"), "<TANK> STORE <", "</TANK>\n");
  std::ofstream(configuration) << lessened;
  const std::string changed = restore(saved);
  const std::string log = ReadFile(root + "/Varneldebug.txt");
  EXPECT_NE(log.find("ERROR IN SCENARIO: B 49.9374999999997 01:Object name not found\n"), std::string::npos) << log;
  EXPECT_NE(log.find("ERROR IN SCENARIO: <TANK>  STORE 50.000000 1 1 01:Object name not found\n"), std::string::npos)
      << log;
  EXPECT_EQ(log.find("ERROR IN SCENARIO: A "), std::string::npos) << log;  // the records placed are not
  after = Propulsion(changed);
  for (const char *tank : {"    [0] ", "    [1] ", "    [2] "}) EXPECT_EQ(LineOf(after, tank), LineOf(before, tank));
  EXPECT_EQ(LineOf(after, "    [3] ").substr(8), LineOf(before, "    [4] ").substr(8));
  EXPECT_EQ(WatchLines(changed).at("HYDRAULIC:STORE2:MASS"), WatchLines(flown.out).at("HYDRAULIC:STORE2:MASS"));
}
