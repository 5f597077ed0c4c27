// The Windows build, run under Wine, against the Linux build: the same
// scenarios draw the same panels and compute the same numbers. Wine's GDI and
// OpenGL stand for Windows' own here, so a difference is a finding about the
// Linux build's Win32 stand-in. These tests run when VESSELSIM_WINDOWS names
// the Windows bench, as the Windows test script sets it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "PngImage.h"
#include "Vesselsim.h"

namespace {

std::string WindowsBench() {
  const char *bench = std::getenv("VESSELSIM_WINDOWS");
  return bench != nullptr ? bench : "";
}

// An instrument's area on the shown panel and the class kind it is drawn as.
struct Area {
  int left = 0, top = 0, right = 0, bottom = 0;
  std::string kind;
};

// "CLASS" of every class of an instrument class file, by the class's tag.
std::map<std::string, std::string> ClassKinds(const std::string &prd) {
  std::map<std::string, std::string> kinds;
  std::istringstream lines(ReadFile(prd));
  std::string line, tag;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string first, second;
    words >> first >> second;
    if (!first.empty() && first[0] == '<' && first[1] != '/') tag = first;
    if (first == "CLASS") kinds[tag] = second;
  }
  return kinds;
}

// The areas `--describe` lists for the shown panel, each with the kind of the
// panel line that made it: the last line of a panel is area 0.
std::vector<Area> PanelAreas(const std::string &describe, const std::string &cfg, const std::string &prd, int panel) {
  const std::map<std::string, std::string> kinds = ClassKinds(prd);
  std::vector<std::string> lineKinds;
  std::istringstream lines(ReadFile(cfg));
  std::string line;
  bool inPanel = false;
  for (int n = -1; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string tag;
    words >> tag;
    if (tag == "</PANEL>") inPanel = false;
    if (tag == "<PANEL>") inPanel = ++n == panel;
    const bool instrument = inPanel && tag.size() > 1 && tag[0] == '<' && tag[1] != '/';
    if (instrument && tag != "<PANEL>")
      lineKinds.push_back(kinds.count(tag) ? kinds.at(tag) : tag);
  }
  std::vector<Area> areas;
  std::istringstream out(describe);
  while (std::getline(out, line)) {
    Area a;
    int id;
    if (std::sscanf(line.c_str(), "  area %d at (%d, %d) to (%d, %d)", &id, &a.left, &a.top, &a.right, &a.bottom) != 5)
      continue;
    const size_t index = lineKinds.size() - 1 - static_cast<size_t>(id);
    a.kind = index < lineKinds.size() ? lineKinds[index] : "?";
    areas.push_back(a);
  }
  EXPECT_EQ(areas.size(), lineKinds.size()) << "the panel's lines and its areas";
  return areas;
}

// The mission's events up to `seconds`, without the pictures and saves it
// writes into out/.
std::string EventsWithoutFiles(const std::string &events, double seconds) {
  std::istringstream lines(ReadFile(events));
  std::string kept, line;
  while (std::getline(lines, line)) {
    const bool files = line.find(" png ") != std::string::npos || line.find(" save ") != std::string::npos;
    if (!files && (line.empty() || line[0] == '#' || std::atof(line.c_str()) <= seconds)) kept += line + "\n";
  }
  const std::string path = TempPath("mission.events");
  std::ofstream(path) << kept;
  return path;
}

// An example's folder (also its class file's name), configuration and
// scenario, the panel shown and for how long.
struct PanelCase {
  std::string folder, configuration, scenario;
  int panel;
  double seconds;
};

}  // namespace

// Bitmap copies, frames, needles, digits and fills are the same pixels; text
// may differ only inside a text instrument's area; the ball (OpenGL) at most
// in 2 % of its pixels.
TEST(WindowsAgainstLinux, PanelsDrawTheSamePixels) {
  const std::string windows = WindowsBench();
  if (windows.empty()) GTEST_SKIP() << "VESSELSIM_WINDOWS names no Windows bench";
  const PanelCase cases[] = {{"kestrel", "Kestrel", "Kestrel", 0, 25},
                             {"kestrel", "Kestrel", "Kestrel", 1, 60},
                             {"capsule", "Capsule", "CapsuleRunning", 0, 5},
                             {"capsule", "Capsule", "CapsuleRunning", 1, 5}};
  for (const PanelCase &c : cases) {
    const std::string root = std::string(EXAMPLES_DIR) + "/" + c.folder;
    const std::string name = c.folder + std::to_string(c.panel);
    const std::string events =
        c.folder == "kestrel" ? " --events " + EventsWithoutFiles(root + "/Scenarios/Mission.events", c.seconds) : "";
    const std::string run = "run --quiet --root " + root + " " + root + "/Scenarios/" + c.scenario + ".scn" +
                            " --duration " + std::to_string(c.seconds) + events + " --panel " +
                            std::to_string(c.panel) + " --describe --png ";
    const Result onLinux = RunBench(VESSELSIM, run + TempPath(name + "-linux.png"));
    const Result onWine = RunBench(windows, run + TempPath(name + "-windows.png"));
    ASSERT_EQ(onLinux.status, 0) << onLinux.out;
    ASSERT_EQ(onWine.status, 0) << onWine.out;
    PngImage a, b;
    ASSERT_TRUE(a.Read(TempPath(name + "-linux.png"))) << name;
    ASSERT_TRUE(b.Read(TempPath(name + "-windows.png"))) << name;
    ASSERT_EQ(a.width, b.width);
    ASSERT_EQ(a.height, b.height);
    const std::vector<Area> areas = PanelAreas(onLinux.out, root + "/Config/" + c.configuration + ".cfg",
                                               root + "/config/" + c.folder + ".prd", c.panel);
    // Instrument areas do not overlap: what differs inside text areas and
    // the ball is all that may differ.
    int allowed = 0;
    for (const Area &area : areas) {
      const int differ = a.DifferencesIn(b, std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, a.width),
                                         std::min(area.bottom, a.height));
      if (area.kind == "ADI") {
        EXPECT_LE(differ, 0.02 * (area.right - area.left) * (area.bottom - area.top)) << name << ": the ball";
      }
      if (area.kind == "TEXT" || area.kind == "ADI") allowed += differ;
    }
    EXPECT_EQ(a.DifferencesIn(b, 0, 0, a.width, a.height), allowed) << name << ": pixels differ outside text and the ball";
  }
}

// The reference vessel's two-hour mission (the demo's, without its pictures)
// records the same numbers on both: every cell within 1e-12 relative.
TEST(WindowsAgainstLinux, TheMissionsNumbersAgree) {
  const std::string windows = WindowsBench();
  if (windows.empty()) GTEST_SKIP() << "VESSELSIM_WINDOWS names no Windows bench";
  const std::string root = std::string(EXAMPLES_DIR) + "/kestrel";
  std::string run = "run --quiet --root " + root + " " + root + "/Scenarios/Kestrel.scn --duration 7200 --every 10" +
                    " --events " + EventsWithoutFiles(root + "/Scenarios/Mission.events", 7200);
  for (const char *watch :
       {"SHIP:ALTITUDE", "SHIP:AVEL", "SHIP:TOTALMASS", "SHIP:MAINTH", "HYDRAULIC:CABIN:PRESS",
        "HYDRAULIC:CABIN:O2_PPRESS", "HYDRAULIC:CABIN:CO2_PPRESS", "HYDRAULIC:CABIN:TEMP", "ELECTRIC:ESSENTIAL:VOLTS",
        "ELECTRIC:ESSENTIAL:AMPS", "ELECTRIC:SM_FC1:AMPS", "ELECTRIC:SM_FC1:TEMP", "ELECTRIC:BATT:VOLTS",
        "HYDRAULIC:SM_H2:MASS", "HYDRAULIC:WATER:MASS", "HYDRAULIC:WASTE:MASS"})
    run += std::string(" --watch ") + watch;
  // Side by side: each takes about half a minute.
  auto onLinux = std::async(std::launch::async, RunBench, std::string(VESSELSIM), run + " --csv " + TempPath("linux.csv"), true);
  const Result onWine = RunBench(windows, run + " --csv " + TempPath("windows.csv"));
  ASSERT_EQ(onLinux.get().status, 0);
  ASSERT_EQ(onWine.status, 0) << onWine.out;
  // Cells compared as words; a watch whose object a separation deleted
  // reads "nan" on both, which no tolerance tells apart.
  std::string a = ReadFile(TempPath("linux.csv")), b = ReadFile(TempPath("windows.csv"));
  for (std::string *table : {&a, &b})
    for (char &c : *table) c = c == ',' ? ' ' : c;
  EXPECT_EQ(std::count(a.begin(), a.end(), '\n'), 722);
  EXPECT_TRUE(SameWords(a, b, 0.0, 1e-12));
}
