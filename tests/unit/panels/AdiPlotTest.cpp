// The attitude ball's mesh, easing and texture reader; the plot's arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "../module/ConfigFixture.h"
#include "panels/instruments/AdiInstrument.h"
#include "panels/instruments/PlotInstrument.h"
#include "Surface.h"
#include "wincanvas.h"

namespace {

class BallAndPlot : public ConfigFixture {
 protected:
  BallAndPlot() : panel(nullptr, 0, "P") {}
  Panel panel;
};

// The readers' test pattern, blue, green, red: it tells each pixel's column and row.
std::string Pattern(int x, int y) { return {char(10 * x + y), char(100 + y), char(200)}; }

// A texture file as the ball reads it: headers, then w x h pixels of three
// bytes, `bgr(x, y)`, rows from the bottom, written with or without BMP row
// padding.
void WriteTexture(const std::string &path, int w, int h, bool padded,
                  std::string (*bgr)(int x, int y) = Pattern) {
  std::string data(54, '\0');
  data[0] = 'B';
  data[1] = 'M';
  std::memcpy(&data[18], &w, 4);
  std::memcpy(&data[22], &h, 4);
  const int row = padded ? (w * 3 + 3) & ~3 : w * 3;
  for (int y = 0; y < h; ++y) {
    std::string line;
    for (int x = 0; x < w; ++x) line += bgr(x, y);
    line.resize(row, char(0xEE));
    data += line;
  }
  std::ofstream(path, std::ios::binary) << data;
}

}  // namespace

TEST_F(BallAndPlot, TheBallIsA25By25SphereInOneStrip) {
  AdiInstrument ball(panel.number, 0, 0, nullptr, nullptr, nullptr);
  EXPECT_EQ(ball.indexCount, 1200);
  EXPECT_NEAR(ball.vertices[0][2], -10.0, 1e-5);
  EXPECT_NEAR(ball.vertices[kBallVertices - 1][2], 10.0, 1e-5);
  EXPECT_EQ(ball.indices[0], 25u);
  EXPECT_EQ(ball.indices[1], 0u);
  // Every vertex lies on the sphere of radius 10, its normal pointing outward.
  for (int h = 0; h < kBallVertices; ++h) {
    const float *p = ball.vertices[h], *n = ball.normals[h];
    ASSERT_NEAR(p[0] * p[0] + p[1] * p[1] + p[2] * p[2], 100.0, 1e-3) << h;
    for (int k = 0; k < 3; ++k) ASSERT_NEAR(n[k], p[k] / 10, 1e-5) << h;
  }
  EXPECT_EQ(ball.textureCoordinates[0][0], 0.0f);  // the seam runs from 0 to 1
  EXPECT_EQ(ball.textureCoordinates[24][0], 1.0f);
  EXPECT_EQ(ball.textureCoordinates[600][1], 1.0f);
}

TEST_F(BallAndPlot, TheBallEasesFiveHundredthsPerAxisAndWrapsTheShortWay) {
  double yaw = 0, pitch = 0, roll = 0;
  AdiInstrument ball(panel.number, 0, 0, &yaw, &pitch, &roll);
  const double pi = static_cast<float>(std::acos(-1.0));
  ball.UpdateAttitude();
  // Yaw's target 2 pi + pi/2 is more than pi away: a full turn is added and
  // the update starts again, so roll and pitch step twice in this frame.
  EXPECT_NEAR(ball.shownRoll, 0.4, 1e-6);
  EXPECT_NEAR(ball.shownPitch, -1.1, 1e-6);
  EXPECT_NEAR(ball.shownYaw, 0.37 + 2 * pi + 0.05, 1e-6);
  for (int frame = 0; frame < 100; ++frame) ball.UpdateAttitude();
  EXPECT_NEAR(ball.shownRoll, 0.0, 1e-6);
  EXPECT_NEAR(ball.shownPitch, 0.0, 1e-6);
  EXPECT_NEAR(ball.shownYaw, 2.5 * pi, 1e-6);
  yaw = 1.5 * pi;  // a target 1.5 pi below: down a turn, then up the short way
  ball.UpdateAttitude();
  EXPECT_NEAR(ball.shownYaw, 0.5 * pi + 0.05, 1e-6);
  yaw = std::nan("");
  pitch = 1e300;  // far from any angle: at most 64 turns a frame, then a step
  const double pitchBefore = ball.shownPitch;
  ball.UpdateAttitude();
  EXPECT_NEAR(ball.shownYaw, 0.5 * pi + 0.05, 1e-6);
  EXPECT_NEAR(ball.shownPitch - pitchBefore, 64 * 2 * pi + 0.05, 1e-6);
  AdiInstrument loose(panel.number, 0, 0, nullptr, nullptr, nullptr);
  loose.UpdateAttitude();
  EXPECT_EQ(loose.shownYaw, 0.37);
  EXPECT_EQ(loose.ResolveVariable("YAWP").address, &loose.yawSlot);
  EXPECT_EQ(loose.ResolveVariable("PITCHX").address, nullptr);  // PITCH's value: unbound
}

// Rendered through the real OpenGL, with a texture whose south half is red
// and north half blue: level, north is up; a bank of +90 degrees turns the
// picture a quarter turn clockwise; nose up, the equator sinks.
TEST_F(BallAndPlot, TheBallTurnsWithRollAndPitch) {
  WriteTexture("halves.bmp", 64, 64, false,
               [](int, int y) { return y < 32 ? std::string{0, 0, char(255)} : std::string{char(255), 0, 0}; });
  AdiLook look;
  look.eyeDistance = -30;  // as ZOOM 30 sets it
  std::fill(look.unlitLight, look.unlitLight + 3, 1.0f);
  std::snprintf(look.ballTexture, sizeof look.ballTexture, " halves.bmp");
  // Two balls drawn in turn, each in a context of its own.
  double yaw = 0, pitch = 0, roll = 0, bank = std::acos(-1.0) / 2;
  AdiInstrument level(panel.number, 0, 0, &yaw, &pitch, &roll), banked(panel.number, 0, 0, &yaw, &pitch, &bank);
  host::Surface *levelPicture = host::Surface::create(80, 80), *bankedPicture = host::Surface::create(80, 80);
  for (AdiInstrument *ball : {&level, &banked}) {
    ball->width = ball->height = 80;
    ball->SetUp(look);
  }
  auto settle = [&] {
    for (int frame = 0; frame < 80; ++frame) {
      level.Redraw(panel.Context(levelPicture->handle()));
      banked.Redraw(panel.Context(bankedPicture->handle()));
    }
  };
  // The half of the ball a pixel shows; the ball's centre is at 50, 50.
  auto half = [](host::Surface *picture, int x, int y) {
    const uint32_t c = wincanvas::pixel(picture->bitmap(), x, y);
    const int r = c >> 16, b = c & 0xFF;
    return b > r + 40 ? 'N' : r > b + 40 ? 'S' : '-';
  };
  settle();
  EXPECT_EQ(std::string({half(levelPicture, 50, 30), half(levelPicture, 50, 45), half(levelPicture, 50, 70)}), "NNS");
  EXPECT_GT(wincanvas::pixel(levelPicture->bitmap(), 50, 30) & 0xFF, 150u);  // every channel of the white light
  EXPECT_EQ(std::string({half(bankedPicture, 30, 50), half(bankedPicture, 70, 50)}), "SN");
  pitch = 0.3;  // nose up: the equator sinks 41 sin 0.3, 12 pixels
  settle();
  EXPECT_EQ(std::string({half(levelPicture, 50, 56), half(levelPicture, 50, 75)}), "NS");
  for (host::Surface *picture : {levelPicture, bankedPicture}) host::Surface::destroy(picture);
}

TEST_F(BallAndPlot, TheTextureReaderIgnoresRowPadding) {
  int w, h;
  unsigned char *rgba = nullptr;
  WriteTexture("four.bmp", 4, 2, true);
  ASSERT_TRUE(AdiInstrument::ReadTexture("four.bmp", w, h, rgba));
  EXPECT_EQ(w, 4);
  EXPECT_EQ(rgba[4 * 5 + 0], 200);  // red from the third byte
  EXPECT_EQ(rgba[4 * 5 + 2], 11);   // x 1 of row 1: blue 10 x 1 + 1
  EXPECT_EQ(rgba[4 * 5 + 3], 255);
  delete[] rgba;
  WriteTexture("three.bmp", 3, 2, true);
  ASSERT_TRUE(AdiInstrument::ReadTexture("three.bmp", w, h, rgba));
  // Row 1 starts three bytes into the padding: its first pixel is the pad.
  EXPECT_EQ(rgba[4 * 3 + 2], 0xEE);
  delete[] rgba;
  // Pixels for 2 x 2 under a header claiming 4 x 2: what is missing is black.
  WriteTexture("short.bmp", 2, 2, false);
  {
    std::fstream patch("short.bmp", std::ios::binary | std::ios::in | std::ios::out);
    const int claimed = 4;
    patch.seekp(18);
    patch.write(reinterpret_cast<const char *>(&claimed), 4);
  }
  ASSERT_TRUE(AdiInstrument::ReadTexture("short.bmp", w, h, rgba));
  EXPECT_EQ(w, 4);
  EXPECT_EQ(rgba[4 * 1 + 0], 200);  // read: the second pixel of the file
  for (int channel = 0; channel < 3; ++channel) EXPECT_EQ(rgba[4 * 7 + channel], 0) << channel;
  delete[] rgba;
  std::ofstream("huge.bmp") << std::string(54, '\x7f');
  EXPECT_FALSE(AdiInstrument::ReadTexture("huge.bmp", w, h, rgba));
  EXPECT_FALSE(AdiInstrument::ReadTexture("none.bmp", w, h, rgba));
  std::ofstream("tiny.bmp") << "BM";
  EXPECT_FALSE(AdiInstrument::ReadTexture("tiny.bmp", w, h, rgba));
}

TEST_F(BallAndPlot, APlotPlacesItsBugAndScrollsPastItsLimit) {
  double vertical = 25, horizontal = 60;
  PlotInstrument plot(panel.number, 0, 0, &vertical, &horizontal);
  plot.horizontalOrigin = 100;
  plot.unitsPerPixel = 2;
  plot.look.xAtOrigin = 10;
  plot.look.scrollLimit = 20;
  plot.verticalLow = 0;
  plot.verticalHigh = 100;
  plot.look.yAtLow = 200;
  plot.look.yAtHigh = 0;
  plot.Track();
  EXPECT_EQ(plot.bugX, 30);
  EXPECT_EQ(plot.scroll, 10);
  EXPECT_NEAR(plot.bugY, 0.2, 1e-12);  // climbing toward 150
  EXPECT_STREQ(oapiDebugString(), "60.0000 25.0000");
  for (int i = 0; i < 1000; ++i) plot.Track();
  EXPECT_NEAR(plot.bugY, 150.0, 0.2);
  horizontal = 200;  // beyond the origin: held at 0
  plot.Track();
  EXPECT_EQ(plot.bugX, 0);
  plot.unitsPerPixel = 0;
  horizontal = 100;
  plot.Track();  // 0 / 0
  EXPECT_EQ(plot.bugX, 0);
  EXPECT_EQ(plot.ResolveVariable("ARM").address, &plot.armed);
  EXPECT_EQ(plot.ResolveVariable("XAXISP").address, &plot.xSlot);
  EXPECT_EQ(plot.ResolveVariable("YAXIS").address, &vertical);
  PlotInstrument loose(panel.number, 0, 0, nullptr, nullptr);
  loose.armed = 1;
  loose.FrameRedraw(panel.Context(nullptr));
  EXPECT_EQ(loose.bugX, 0);
}
