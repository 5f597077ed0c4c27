// What the instruments put on their panel's drawing surface.
#include <gtest/gtest.h>

#include "../module/ConfigFixture.h"
#include "Surface.h"
#include "panels/instruments/DrawingResources.h"
#include "panels/instruments/LinearInstrument.h"
#include "panels/instruments/RotationalInstrument.h"
#include "panels/instruments/SwitchInstrument.h"
#include "panels/instruments/TbInstrument.h"
#include "panels/instruments/TextInstrument.h"
#include "wincanvas.h"

namespace {

// A 24-bit BMP of `w` x `h` whose pixel at (x, y) is colour(x, y).
template <typename Colour>
void WriteBmp(const std::string &path, int w, int h, Colour colour) {
  const int row = (w * 3 + 3) & ~3;
  std::string data;
  for (int y = h - 1; y >= 0; --y) {
    std::string line;
    for (int x = 0; x < w; ++x) {
      const uint32_t c = colour(x, y);
      line += static_cast<char>(c & 0xFF);
      line += static_cast<char>((c >> 8) & 0xFF);
      line += static_cast<char>((c >> 16) & 0xFF);
    }
    data += line + std::string(row - line.size(), '\0');
  }
  auto u32 = [](uint32_t v) { return std::string(reinterpret_cast<const char *>(&v), 4); };
  auto u16 = [](uint16_t v) { return std::string(reinterpret_cast<const char *>(&v), 2); };
  const std::string header = "BM" + u32(54 + data.size()) + u32(0) + u32(54);
  const std::string info = u32(40) + u32(w) + u32(h) + u16(1) + u16(24) + u32(0) + u32(data.size()) + u32(0) +
                           u32(0) + u32(0) + u32(0);
  std::ofstream(path, std::ios::binary) << header << info << data;
}

class Drawing : public ConfigFixture {
 protected:
  Drawing() : panel(nullptr, 0, "P") {
    resources.CreateStandardSet();
    panel.resources = &resources;
    target = host::Surface::create(200, 100);
    surface = target->handle();
  }
  ~Drawing() override { host::Surface::destroy(target); }
  uint32_t At(int x, int y) const { return wincanvas::pixel(target->bitmap(), x, y); }
  // Redraws `instrument` `frames` times (a needle eases a step a frame), then
  // once more on a grey surface: what its last frame draws, alone.
  void DrawOnGrey(Instrument &instrument, int frames = 0) {
    for (int frame = 0; frame < frames; ++frame) instrument.Redraw(panel.Context(surface));
    wincanvas::fill(target->bitmap(), kGrey);
    instrument.Redraw(panel.Context(surface));
  }

  static constexpr uint32_t kGrey = 0x808080;

  DrawingResources resources;
  Panel panel;
  SURFHANDLE surface = nullptr;
  host::Surface *target;
};

}  // namespace

// Cells of 10 x 10: the colour tells the column (state +1, 0, -1) and the row (unlit, lit).
TEST_F(Drawing, SwitchesBlitTheFrameOfTheirStateAndLighting) {
  WriteBmp("toggle.bmp", 30, 20, [](int x, int y) { return 0x100000u * (x / 10 + 1) + 0x10u * (y / 10 + 1); });
  SwitchInstrument sw(panel.number, 0, 0, 3, 0, nullptr);
  sw.width = sw.height = 10;
  sw.bitmap = resources.AddSurface("toggle.bmp");
  ASSERT_GT(sw.bitmap, 0);
  sw.state = 1;
  sw.Redraw(panel.Context(surface));
  EXPECT_EQ(At(5, 5), 0x100010u);
  sw.state = 0;
  panel.lightingLevel = 1;
  sw.Redraw(panel.Context(surface));
  EXPECT_EQ(At(5, 5), 0x200020u);
  sw.state = -1;
  panel.lightingLevel = 0;
  sw.Redraw(panel.Context(surface));
  EXPECT_EQ(At(9, 9), 0x300010u);
}

// Frames side by side: off, on, alternate. At 2 Hz with frames of 0.25 s, the
// talkback turns over on the frame after each half second has passed.
TEST_F(Drawing, ATalkbackShowsItsFramesAndBlinksAtItsRate) {
  WriteBmp("tb.bmp", 30, 10, [](int x, int) { return 0x100000u * (x / 10 + 1); });
  double value = 0;
  TbInstrument tb(panel.number, 0, 0, &value, kGreaterThanZero, 2);
  tb.width = tb.height = 10;
  tb.bitmap = resources.AddSurface("tb.bmp");
  tb.Redraw(panel.Context(surface));
  EXPECT_EQ(At(5, 5), 0x100000u);
  value = 1;
  std::string shown;
  for (int frame = 1; frame <= 9; ++frame) {
    sim.frame(0.25 * frame);
    tb.FrameRedraw(panel.Context(surface));
    shown += static_cast<char>('0' + At(5, 5) / 0x100000u - 1);
  }
  EXPECT_EQ(shown, "001112221");
}

TEST_F(Drawing, TheNeedleIsABlackTriangleFromThePivot) {
  double value = 0;
  RotationalInstrument gauge(panel.number, 0, 0, &value);
  gauge.SetScale(100, 90, 0, 0);  // 0 points down the panel
  gauge.SetPivot(50, 50);
  gauge.SetNeedle(6, 40);
  DrawOnGrey(gauge);
  EXPECT_EQ(At(50, 60), 0u);         // below the pivot: needle
  EXPECT_EQ(At(50, 88), 0u);
  EXPECT_NE(At(50, 95), 0xFFFFFFu);  // the needle's white surround is keyed out
  EXPECT_EQ(At(47, 50), 0u);  // the base: six pixels
  EXPECT_EQ(At(46, 50), kGrey);
  value = 50;  // 45 degrees on: down and to the left
  DrawOnGrey(gauge, 200);
  EXPECT_EQ(At(32, 68), 0u);
  EXPECT_EQ(At(68, 68), kGrey);
  value = 100;  // 90 degrees on: clockwise, pointing left
  DrawOnGrey(gauge, 200);
  EXPECT_EQ(At(20, 50), 0u);
  value = -100;  // pointing right: the blit of 2L x 2L stops a pixel short of the tip
  DrawOnGrey(gauge, 400);
  EXPECT_EQ(At(88, 50), 0u);
  EXPECT_EQ(At(90, 50), kGrey);
}

// A needle moved by a frame looks as one drawn there from the start, even when
// only its rows change: from 0.72 to 0.73 radian every point moves one row.
TEST_F(Drawing, AMovedNeedleIsDrawnAfresh) {
  const double perRadian = 100 / (std::acos(-1.0) / 2);
  double value = 0.72 * perRadian, settled = 0.73 * perRadian;
  RotationalInstrument moved(panel.number, 0, 0, &value), fresh(panel.number, 0, 0, &settled);
  auto picture = [&](RotationalInstrument &gauge) {
    DrawOnGrey(gauge, 100);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 100; ++x) pixels.push_back(At(x, y));
    return pixels;
  };
  for (RotationalInstrument *gauge : {&moved, &fresh}) {
    gauge->SetScale(100, 90, 0, 0);
    gauge->SetPivot(50, 50);
    gauge->SetNeedle(6, 40);
  }
  picture(moved);
  value = settled;
  fresh.shownAngle = 1.0;  // it comes down to 0.73: no frame of it moves rows alone
  EXPECT_EQ(picture(moved), picture(fresh));
}

// A panel shown again gives the indicator a fresh surface: the redraw the host
// asks for then paints the scale, even when the value has not moved.
TEST_F(Drawing, AShownAgainLinearIndicatorPaintsItsScale) {
  WriteBmp("scale.bmp", 40, 50, [](int, int) { return 0x2040A0u; });
  double value = 5;
  LinearInstrument linear(panel.number, 0, 0, &value, 0, 10, 1, 0);
  linear.width = 20;
  linear.height = 50;
  linear.look.lowY = 40;
  linear.look.pointerSize = 6;
  linear.look.pointerWidth = 4;
  linear.bitmap = resources.AddSurface("scale.bmp");
  ASSERT_GT(linear.bitmap, 0);
  linear.Redraw(panel.Context(surface));
  EXPECT_EQ(At(15, 5), 0x2040A0u);
  int pointer = 0;  // half way down the scale
  for (int y = 20; y < 26; ++y)
    for (int x = 0; x < 6; ++x) pointer += At(x, y) == 0u;
  EXPECT_GT(pointer, 5);
  EXPECT_EQ(At(0, 22), 0u);  // its back edge
  LinearInstrument turned(panel.number, 0, 0, &value, 0, 10, 1, 0);
  turned.look = linear.look;
  turned.look.rotation = std::acos(-1.0) / 3;
  turned.width = 20;
  turned.height = 50;
  DrawOnGrey(turned);
  EXPECT_EQ(At(0, 21), 0u);  // turned 60 degrees: its back up on the left, its tip down at the right
  EXPECT_EQ(At(0, 24), kGrey);
  EXPECT_EQ(At(3, 24), 0u);
  linear.FrameRedraw(panel.Context(surface));  // the value stands still
  host::Surface::destroy(target);
  target = host::Surface::create(200, 100);
  surface = target->handle();
  linear.RegisterArea(0);
  linear.Redraw(panel.Context(surface));
  EXPECT_EQ(At(15, 5), 0x2040A0u);
}

TEST_F(Drawing, ATextFrameIsOpenAtTheTopWhereTheLabelSits) {
  resources.AddPen(255, 0, 0);
  TextInstrument text(panel.number, 100, 0, 100, 2, "HELLO");
  text.look.unlitPen = 1;
  text.look.unlitColour[1] = 255;
  text.Redraw(panel.Context(surface));
  // Sides from y = 5 to 19, the top line leaving a 40 pixel gap around x = 50.
  EXPECT_EQ(At(30, 5), 0xFF0000u);
  EXPECT_NE(At(32, 5), 0xFF0000u);
  EXPECT_NE(At(68, 5), 0xFF0000u);
  EXPECT_EQ(At(0, 10), 0xFF0000u);
  EXPECT_EQ(At(99, 18), 0xFF0000u);
  EXPECT_EQ(At(99, 6), 0xFF0000u);
  EXPECT_NE(At(100, 6), 0xFF0000u);
  EXPECT_EQ(At(10, 5), 0xFF0000u);
  EXPECT_EQ(At(90, 5), 0xFF0000u);
  EXPECT_NE(At(50, 5), 0xFF0000u);
  int green = 0;
  for (int y = 0; y < 14; ++y)
    for (int x = 31; x < 70; ++x) green += At(x, y) == 0x00FF00u;
  EXPECT_GT(green, 10);  // the label's glyphs, in the unlit colour
}
