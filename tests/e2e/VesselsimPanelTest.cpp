// Panels through the bench: what a vessel author clicks and sees.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "PngImage.h"
#include "Vesselsim.h"

namespace {

const std::string kRoot = std::string(EXAMPLES_DIR) + "/capsule";
const std::string kRun = "run --root " + kRoot + " " + kRoot + "/Scenarios/CapsuleRunning.scn";

Result RunCapsule(const std::string &arguments) { return Vesselsim(kRun + " " + arguments); }

PngImage Image(const std::string &path) {
  PngImage image;
  EXPECT_TRUE(image.Read(path)) << path;
  return image;
}

// The spare switch (area 3) sits at (680, 80), 31 x 41, bound to SHIP:CUSTOMINT1.
constexpr int kSpareArea = 3;

}  // namespace

TEST(VesselsimPanel, ClickingASwitchSetsItsVariableAndTurnsItsLever) {
  const std::string events = TempPath("panel-events.txt");
  std::ofstream(events) << "0.5 png " << TempPath("before.png") << "\n1 click " << kSpareArea << " 10 10\n"
                        << "1.5 png " << TempPath("after.png") << "\n2 click " << kSpareArea << " 10 10 right\n"
                        << "2 click " << kSpareArea << " 10 10 right\n";
  const Result r = RunCapsule("--duration 3 --panel 0 --events " + events +
                              " --watch int=SHIP:CUSTOMINT1 --watch MAIN:SPARESW:STATE --watch MAIN:PRESSGAUGE:ANGLE");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("SHIP:CUSTOMINT1 = -1"), std::string::npos) << r.out;
  // The instruments' own state, watched without a picture: the lever where
  // its variable is, the needle off its rest.
  EXPECT_EQ(WatchLines(r.out).at("MAIN:SPARESW:STATE"), -1.0) << r.out;
  EXPECT_NE(WatchLines(r.out).at("MAIN:PRESSGAUGE:ANGLE"), 0.0) << r.out;
  // Without --panel, a watch of what an instrument holds shows its panel.
  const Result hidden = RunCapsule("--duration 1 --watch MAIN:PRESSGAUGE:ANGLE");
  EXPECT_NE(WatchLines(hidden.out).at("MAIN:PRESSGAUGE:ANGLE"), 0.0) << hidden.out;
  const PngImage before = Image(TempPath("before.png")), after = Image(TempPath("after.png"));
  ASSERT_EQ(before.width, 800);
  EXPECT_GT(after.DifferencesIn(before, 680, 80, 711, 121), 20);
  // Nothing else on the panel changed but what moves by itself.
  EXPECT_EQ(after.DifferencesIn(before, 550, 150, 790, 280), 0);
}

TEST(VesselsimPanel, ANeedleMovesBetweenSnapshotsAndThePanelShowsItsParts) {
  const std::string events = TempPath("needle-events.txt");
  std::ofstream(events) << "0.2 png " << TempPath("early.png") << "\n2 png " << TempPath("late.png") << "\n";
  const Result r = RunCapsule("--duration 2 --panel 0 --events " + events);
  ASSERT_EQ(r.status, 0) << r.out;
  const PngImage early = Image(TempPath("early.png")), late = Image(TempPath("late.png"));
  // The cabin pressure dial at (290, 40), 120 x 120: the needle turns from rest.
  EXPECT_GT(late.DifferencesIn(early, 290, 40, 410, 160), 50);
  // Background, the altitude counter's orange digits, the unlit label text.
  EXPECT_EQ(late.At(5, 5), 0x34383Cu);
  EXPECT_GT(late.CountIn(0xFF9628, 622, 305, 718, 329), 100);
  EXPECT_GT(late.CountIn(0xD2D2D2, 630, 285, 710, 297), 20);
  // The transparent window shows black.
  EXPECT_EQ(late.At(740, 350), 0u);
}

TEST(VesselsimPanel, AClickOutsideItsAreaReachesNothing) {
  const std::string events = TempPath("outside-events.txt");
  std::ofstream(events) << "0 panel 0\n1 click " << kSpareArea << " 31 10\n1 click " << kSpareArea << " 10 -1\n";
  const Result r = RunCapsule("--steps 60 --events " + events + " --watch int=SHIP:CUSTOMINT1");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("outside-events.txt:2: nothing took the click: 1 click 3 31 10"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("nothing took the click: 1 click 3 10 -1"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("SHIP:CUSTOMINT1 = 0\n"), std::string::npos) << r.out;
}

TEST(VesselsimPanel, APanelOrAreaThatIsNotThereIsAUsageError) {
  EXPECT_EQ(RunCapsule("--steps 1 --panel 7").status, 2);
  EXPECT_EQ(RunCapsule("--steps 1 --png " + TempPath("x.png")).status, 2);
  const std::string events = TempPath("bad-click.txt");
  std::ofstream(events) << "0 panel 0\n0 click 999 1 1\n";
  EXPECT_EQ(RunCapsule("--steps 1 --events " + events).status, 2);
}

// The navigation panel (1): the ball at (40, 60), 160 x 160; the plot at
// (260, 40), 200 x 150, armed by area 2; the MFD area 0 at (510, 60), its
// screen at (540, 80), 200 x 200, the left labels' column 30 pixels wide,
// button rows 32 pixels apart from y 30.
TEST(VesselsimPanel, TheNavigationPanelTurnsItsBallRecordsItsTrackAndSwitchesItsMfd) {
  const std::string events = TempPath("nav-events.txt");
  std::ofstream(events) << "0 click 2 10 10\n5 png " << TempPath("nav-early.png") << "\n"
                        << "5 group THGROUP_ATT_PITCHUP 1\n15 group THGROUP_ATT_PITCHUP 0\n"
                        << "40 png " << TempPath("nav-orbit.png") << "\n40 click 0 10 65\n"
                        << "41 png " << TempPath("nav-surface.png") << "\n";
  const Result run = RunCapsule("--duration 41 --panel 1 --events " + events);
  ASSERT_EQ(run.status, 0) << run.out;
  const PngImage early = Image(TempPath("nav-early.png")), orbit = Image(TempPath("nav-orbit.png")),
                 surface = Image(TempPath("nav-surface.png"));
  // The ball turned with the vessel.
  EXPECT_GT(orbit.DifferencesIn(early, 60, 80, 180, 200), 500);
  // The ball is lit and textured: sky and ground colours, not one flat shade.
  // It fills its round window: nothing black shows inside the bezel.
  int blue = 0, brown = 0, black = 0;
  for (int y = 80; y < 200; ++y)
    for (int x = 60; x < 180; ++x) {
      const uint32_t c = orbit.At(x, y);
      const int r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
      blue += b > r + 30;
      brown += r > b + 30;
      black += (x - 120) * (x - 120) + (y - 140) * (y - 140) < 55 * 55 && std::max({r, g, b}) < 24;
    }
  EXPECT_GT(blue, 200);
  EXPECT_GT(brown, 200);
  EXPECT_LT(black, 20);
  // The armed plot left its red track.
  int red = 0;
  for (int y = 40; y < 190; ++y)
    for (int x = 260; x < 460; ++x) red += orbit.At(x, y) == 0xFF3C28u;
  EXPECT_GT(red, 20);
  EXPECT_GT(orbit.CountIn(0xAAAEB2, 255, 35, 465, 195), 500);  // the plot's overlay frames it
  // Labels beside the MFD screen, and the click on the second left button
  // changed the page the host draws.
  EXPECT_GT(orbit.CountIn(0xE6E6A0, 510, 60, 540, 300), 10);
  EXPECT_GT(surface.DifferencesIn(orbit, 540, 80, 740, 280), 100);
}

TEST(VesselsimPanel, PlotDrawsTheWatchedVariablesWithGnuplot) {
  // Excluded for the Windows bench: under Wine it cannot start Linux's
  // gnuplot, and no Windows gnuplot is installed here.
  if (BenchIsWindows()) GTEST_SKIP() << "no gnuplot for the Windows bench";
  const std::string plot = TempPath("plot.png");
  std::remove(plot.c_str());
  // A flat series makes gnuplot warn; the author is not told of it.
  const Result r = RunCapsule("--duration 30 --every 1 --watch HYDRAULIC:CABIN:PRESS --watch ELECTRIC:FC1:VOLTS "
                              "--watch SHIP:CUSTOMINT2 --plot " + plot);
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.find("arning"), std::string::npos) << r.out;
  const PngImage image = Image(plot);
  EXPECT_EQ(image.width, 560);
  EXPECT_EQ(image.height, 600);
  EXPECT_EQ(RunCapsule("--steps 1 --plot " + TempPath("none.png")).status, 2);  // nothing watched
}

TEST(VesselsimPanel, APlotWithoutWatchesIsRefusedBeforeTheRun) {
  const std::string csv = TempPath("unplotted.csv");
  std::remove(csv.c_str());
  const Result r = RunCapsule("--steps 1 --csv " + csv + " --plot " + TempPath("none.png"));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("--plot needs at least one --watch"), std::string::npos) << r.out;
  EXPECT_FALSE(std::ifstream(csv).good());  // the run never began
}

// stdout holds the watch lines alone, whatever gnuplot says or draws.
TEST(VesselsimPanel, GnuplotsOutputStaysOffStdout) {
  const Result r = Vesselsim(kRun + " --steps 2 --watch HYDRAULIC:CABIN:PRESS --plot /no/such/folder/plot.png", false);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out.rfind("HYDRAULIC:CABIN:PRESS = ", 0), 0u) << r.out;
  EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << r.out;
}
