// What the gauges compute, apart from what they draw.
#include <gtest/gtest.h>

#include <cmath>

#include "../module/ConfigFixture.h"
#include "panels/instruments/DigitInstrument.h"
#include "panels/instruments/LinearInstrument.h"
#include "panels/instruments/RotationalInstrument.h"
#include "panels/instruments/TbInstrument.h"
#include "panels/instruments/TextInstrument.h"

namespace {

class Gauges : public ConfigFixture {
 protected:
  Gauges() : panel(nullptr, 0, "P") {}
  Panel panel;
};

}  // namespace

TEST(RotationalEasing, StepsTowardTheTargetAndLandsOnIt) {
  double shown = 0.3;
  std::vector<double> steps;
  while (shown != 0.0 && steps.size() < 100) {
    shown = RotationalInstrument::Ease(shown, 0.0);
    steps.push_back(shown);
  }
  ASSERT_EQ(steps.size(), 30u);
  EXPECT_NEAR(steps[0], 0.29, 1e-12);
  EXPECT_NEAR(steps[1], 0.28, 1e-12);
  EXPECT_EQ(steps.back(), 0.0);
  EXPECT_NEAR(RotationalInstrument::Ease(-1.0, 1.0), -0.99, 1e-12);
  EXPECT_EQ(RotationalInstrument::Ease(0.995, 1.0), 1.0);
}

TEST_F(Gauges, NeedleTargetFollowsTheScaleUnclamped) {
  double value = 50;
  RotationalInstrument gauge(panel.number, 0, 0, &value);
  gauge.SetScale(100, 135, 0, -135);
  gauge.shownAngle = 0.3;
  gauge.Redraw(panel.Context(nullptr));
  EXPECT_NEAR(gauge.shownAngle, 0.29, 1e-12);
  value = 200;  // beyond the maximum: the target is beyond 135 degrees
  for (int i = 0; i < 1000; ++i) gauge.Redraw(panel.Context(nullptr));
  EXPECT_NEAR(gauge.shownAngle, 405 * M_PI / 180, 1e-9);
  RotationalInstrument loose(panel.number, 0, 0, nullptr);
  loose.shownAngle = 0.5;
  loose.Redraw(panel.Context(nullptr));
  EXPECT_EQ(loose.shownAngle, 0.5);
}

TEST_F(Gauges, LinearFractionIsClampedAndOnlyChangesRedraw) {
  double value = 15;
  LinearInstrument linear(panel.number, 0, 0, &value, 0, 10, 1, 0);
  linear.look.highX = 4;
  linear.look.highY = 3;
  linear.look.lowX = 4;
  linear.look.lowY = 141;
  EXPECT_TRUE(linear.UpdateFraction());
  EXPECT_EQ(linear.lastFraction, 1.0);
  EXPECT_EQ(linear.pointerY, 3);
  EXPECT_EQ(linear.pointerX, 4);
  EXPECT_FALSE(linear.UpdateFraction());
  value = -3;
  EXPECT_TRUE(linear.UpdateFraction());
  EXPECT_EQ(linear.pointerY, 141);
  value = 2.5;
  linear.UpdateFraction();
  EXPECT_EQ(linear.pointerY, 106);  // a quarter of the way up from 141 to 3, 106.5 cut to 106
  LinearInstrument scaled(panel.number, 0, 0, &value, 10, 30, 2, 2);
  value = 38;  // (38 + 2) / 2 is 20, half way from 10 to 30
  scaled.UpdateFraction();
  EXPECT_EQ(scaled.lastFraction, 0.5);
  value = 5;
  LinearInstrument zeroRange(panel.number, 0, 0, &value, 5, 5, 1, 0);  // 0 / 0
  zeroRange.UpdateFraction();
  EXPECT_EQ(zeroRange.lastFraction, 0.0);
  LinearInstrument loose(panel.number, 0, 0, nullptr, 0, 10, 1, 0);
  EXPECT_FALSE(loose.UpdateFraction());
}

TEST_F(Gauges, DigitCellsOfTheFormattedValue) {
  double value = 42;
  DigitInstrument counter(panel.number, 0, 0, 4, &value);
  counter.FrameRedraw(panel.Context(nullptr));
  int32_t cells[4];
  counter.Cells(cells);
  EXPECT_EQ(std::vector<int32_t>(cells, cells + 4), (std::vector<int32_t>{0, 0, 4, 2}));
  value = 98765;
  counter.FrameRedraw(panel.Context(nullptr));
  counter.Cells(cells);
  EXPECT_EQ(std::vector<int32_t>(cells, cells + 4), (std::vector<int32_t>{9, 8, 7, 6}));
  value = -7;
  counter.FrameRedraw(panel.Context(nullptr));
  counter.Cells(cells);
  EXPECT_EQ(std::vector<int32_t>(cells, cells + 4), (std::vector<int32_t>{0, 0, 0, 7}));
  value = 1e25;
  counter.FrameRedraw(panel.Context(nullptr));
  EXPECT_EQ(counter.Variable(), &counter.lastValue);
  EXPECT_EQ(counter.lastValue, -1.0);
  DigitInstrument unbound(panel.number, 0, 0, 3, nullptr);
  EXPECT_EQ(unbound.Variable(), &unbound.lastValue);
}

TEST_F(Gauges, TalkbackConditions) {
  double value = 0;
  TbInstrument zero(panel.number, 0, 0, &value, kZero, 0);
  EXPECT_TRUE(zero.ConditionMet());
  zero.FrameRedraw(panel.Context(nullptr));
  EXPECT_EQ(zero.frameState, 1);
  value = 1;
  zero.FrameRedraw(panel.Context(nullptr));
  EXPECT_EQ(zero.frameState, 0);
  EXPECT_TRUE(TbInstrument(panel.number, 0, 0, &value, kGreaterThanZero, 0).ConditionMet());
  EXPECT_FALSE(TbInstrument(panel.number, 0, 0, &value, kSmallerThanZero, 0).ConditionMet());
  EXPECT_TRUE(TbInstrument(panel.number, 0, 0, &value, kNonZero, 0).ConditionMet());
  EXPECT_FALSE(TbInstrument(panel.number, 0, 0, nullptr, kNonZero, 0).ConditionMet());
  EXPECT_FALSE(TbInstrument(panel.number, 0, 0, &value, 0, 0).ConditionMet());
}

TEST_F(Gauges, TextAreaIsTheWiderOfLabelAndFrame) {
  TextInstrument wide(panel.number, 300, 40, 100, 2, "HELLO");
  EXPECT_EQ(wide.labelWidth, 40);
  EXPECT_EQ(wide.AreaWidth(), 100);
  TextInstrument narrow(panel.number, 300, 40, 10, 0, std::string(40, 'L').c_str());
  EXPECT_EQ(std::string(narrow.label), std::string(27, 'L'));
  EXPECT_EQ(narrow.AreaWidth(), 8 * 27);
}
