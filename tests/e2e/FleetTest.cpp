// A fleet of one class: the hundred Kestrels of examples/kestrel/Scenarios/
// Fleet.scn load, fly a few frames, and the one whose panel is shown draws
// it (its attitude ball and bitmaps made when first drawn).
#include <gtest/gtest.h>

#include <string>

#include "PngImage.h"
#include "Vesselsim.h"

TEST(Fleet, AHundredKestrelsFlyAndOneShowsItsPanel) {
  const std::string root = std::string(EXAMPLES_DIR) + "/kestrel";
  const std::string png = TempPath("fleet-nav.png");
  const Result r = Vesselsim("run --quiet --root " + root + " " + root + "/Scenarios/Fleet.scn --steps 5" +
                             " --vessel Kestrel-50 --panel 1 --png " + png + " --describe --watch SHIP:ALTITUDE");
  ASSERT_EQ(r.status, 0) << r.out.substr(0, 2000);
  EXPECT_NE(r.out.find("vessel Kestrel-100 (Kestrel) module genvessel"), std::string::npos);
  EXPECT_NEAR(WatchLines(r.out).at("SHIP:ALTITUDE"), 300e3, 10.0);
  PngImage image;
  ASSERT_TRUE(image.Read(png));
  ASSERT_EQ(image.width, 800);
  // The ball's sphere at the centre of its area (40, 60), 160 x 160: lit by
  // its texture, not the black of an area never drawn.
  EXPECT_NE(image.At(120, 140), 0u);
}
