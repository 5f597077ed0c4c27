// What a vessel author relies on between sessions: a saved scenario restores
// the vessel exactly, and a long unattended run stays physical.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "Vesselsim.h"

namespace {

struct Example {
  const char *folder;
  const char *scenario;
};

const Example kExamples[] = {
    {"minimal", "Minimal"}, {"stack", "Stack"}, {"capsule", "CapsuleRunning"}, {"kestrel", "Kestrel"}};

std::string RunExample(const Example &example, const std::string &scenario, const std::string &options) {
  const std::string root = std::string(EXAMPLES_DIR) + "/" + example.folder;
  const Result r = Vesselsim("run --quiet --root " + root + " " + scenario + " " + options);
  EXPECT_EQ(r.status, 0) << example.folder << ": " << r.out;
  return r.out;
}

std::string ScenarioOf(const Example &example) {
  return std::string(EXAMPLES_DIR) + "/" + example.folder + "/Scenarios/" + example.scenario + ".scn";
}

// The lines between "<INTERNALS>" and "</INTERNALS>".
std::string Internals(const std::string &text) {
  const size_t begin = text.find("<INTERNALS>");
  const size_t end = text.find("</INTERNALS>");
  return begin == std::string::npos || end == std::string::npos ? "" : text.substr(begin, end - begin);
}

}  // namespace

TEST(VesselsimRestore, ASavedScenarioSavesAgainUnchanged) {
  for (const Example &example : kExamples) {
    const std::string first = TempPath(std::string(example.folder) + "-first.scn");
    const std::string second = TempPath(std::string(example.folder) + "-second.scn");
    RunExample(example, ScenarioOf(example), "--steps 20 --save " + first);
    RunExample(example, first, "--steps 0 --save " + second);
    EXPECT_EQ(ReadFile(first), ReadFile(second)) << example.folder;
  }
}

// Stopping and restoring in between leaves the systems where an unbroken run
// takes them, up to the rounding of the saved values.
TEST(VesselsimRestore, SystemsStepOnFromARestoreAsWithoutOne) {
  for (const Example &example : kExamples) {
    const std::string half = TempPath(std::string(example.folder) + "-half.scn");
    const std::string resumed = TempPath(std::string(example.folder) + "-resumed.scn");
    const std::string unbroken = TempPath(std::string(example.folder) + "-unbroken.scn");
    RunExample(example, ScenarioOf(example), "--steps 20 --save " + half);
    RunExample(example, half, "--steps 20 --save " + resumed);
    RunExample(example, ScenarioOf(example), "--steps 40 --save " + unbroken);
    // Numbers within the rounding of the file's four decimals over 20 frames.
    EXPECT_TRUE(SameWords(Internals(ReadFile(resumed)), Internals(ReadFile(unbroken)), 1e-2, 1e-3)) << example.folder;
  }
}

// A day of the reference vessel's mission at a tenth of a second: every
// recorded value stays finite, and masses, pressures and charge non-negative.
TEST(VesselsimSoak, TheReferenceVesselFliesADay) {
  const std::string root = std::string(EXAMPLES_DIR) + "/kestrel";
  const std::string csv = TempPath("day.csv");
  const std::string events = TempPath("mission.events");
  std::ofstream(events) << "0 set int=ELECTRIC:SM_MAINA:RESET 1\n0 set int=ELECTRIC:SM_MAINB:RESET 1\n"
                           "0 set int=ELECTRIC:ESSENTIAL:RESET 1\n0 set int=ELECTRIC:AC1:RESET 1\n0 panel 0\n"
                           "2 click 30 10 10\n2 click 29 10 10\n600 key OAPI_KEY_J\n5400 key OAPI_KEY_K\n";
  std::string watches;
  for (const char *tank : {"CABIN", "WATER", "WASTE", "SCRUBBED", "CM_O2"})
    for (const char *variable : {"MASS", "PRESS", "TEMP"})
      watches += std::string(" --watch HYDRAULIC:") + tank + ":" + variable;
  watches += " --watch ELECTRIC:BATT:VOLTS --watch ELECTRIC:ESSENTIAL:VOLTS --watch SHIP:TOTALMASS";
  RunExample({"kestrel", "Kestrel"}, root + "/Scenarios/Kestrel.scn",
      "--dt 0.1 --duration 86400 --every 3600 --events " + events + " --csv " + csv + watches);
  std::istringstream rows(ReadFile(csv));
  std::string row;
  std::getline(rows, row);  // header
  int count = 0;
  for (; std::getline(rows, row); ++count) {
    std::istringstream cells(row);
    for (std::string cell; std::getline(cells, cell, ',');) {
      const double value = std::atof(cell.c_str());
      EXPECT_TRUE(std::isfinite(value) && value >= 0.0) << "row " << count << ": " << row;
    }
  }
  EXPECT_EQ(count, 25);
}

// A vessel built from a configuration full of mistakes (over-long lines and
// names, numbers out of range, unreadable or not finite, references to
// nothing, eleven panels, sections left open) and one whose configuration file is missing:
// both fly, separate, are clicked, drawn, saved and restored.
TEST(VesselsimMalformed, EveryMistakeIsSurvived) {
  const std::string root = CopyOfTestRoot("malformed", "malformed");
  const std::string events = root + "/clicks.events";
  std::ofstream script(events);
  script << "0 panel 0\n1 key OAPI_KEY_J\n1 key OAPI_KEY_K\n";
  for (int area : {0, 1, 2, 3, 4, 7, 8}) script << "2 click " << area << " 5 5\n";
  script << "3 panel 3\n4 png " << root << "/panel.png\n";
  script.close();
  const std::string saved = root + "/saved.scn";
  Result r = Vesselsim("run --root " + root + " " + root + "/Scenarios/Malformed.scn --vessel Bad --dt 0.1 --duration 5 " +
                       "--events " + events + " --save " + saved + " --watch HYDRAULIC:CABIN:PRESS");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_TRUE(std::isfinite(WatchLines(r.out).at("HYDRAULIC:CABIN:PRESS"))) << r.out;
  EXPECT_FALSE(ReadFile(root + "/panel.png").empty());
  EXPECT_NE(ReadFile(saved).find("Lost:Missing"), std::string::npos);

  r = Vesselsim("run --root " + root + " " + saved + " --vessel Bad --steps 20 --panel 0 --png " + root +
                "/restored.png --watch HYDRAULIC:CABIN:PRESS");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_TRUE(std::isfinite(WatchLines(r.out).at("HYDRAULIC:CABIN:PRESS"))) << r.out;
  EXPECT_FALSE(ReadFile(root + "/restored.png").empty());
}

// Instruments bound to a variable of another type (an integer shown by a
// needle, a double or a slot set by a switch, an integer bound into a double
// slot) are refused, each logged on its own line; the panel still draws.
TEST(VesselsimMalformed, BindingsOfAnotherTypeAreLogged) {
  const std::string root = CopyOfTestRoot("malformed", "malformed-alone");
  const Result r = Vesselsim("run --root " + root + " " + root + "/Scenarios/Malformed.scn --steps 5 --panel 0 --png " +
                             root + "/panel.png");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_FALSE(ReadFile(root + "/panel.png").empty());
  const std::string log = ReadFile(root + "/Varneldebug.txt");
  for (const char *line : {"SHIP:CUSTOMINT2 ONINT", "SHIP:ALTITUDE ONDOUBLE", "PANEL0:D1:SRCP ONSLOT", "SHIP:AIRDENS"})
    EXPECT_NE(log.find(std::string(line) + " 02:Invalid component"), std::string::npos) << line << log;
  // The second vessel's finding follows the first one's.
  EXPECT_NE(log.find("ERROR: cannot open Config\\Missing.cfg\n"), std::string::npos) << log;
}
