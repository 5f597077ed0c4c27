#include "RowSchedule.h"

#include <gtest/gtest.h>

namespace {

// The clock of a run as the bench keeps it: frame k ends at k x dt.
double Clock(long long k, double dt) { return static_cast<double>(k) * dt; }

}  // namespace

// 100000 s at 0.1 s: a row per frame, none lost to the sum of a million
// rounded steps.
TEST(RowSchedule, WithoutAnIntervalEveryFrameOfALongRunHasItsRow) {
  const double dt = 0.1;
  RowSchedule rows(dt, dt / 1e6);
  long long written = 0;
  for (long long k = 0; k <= 1000000; ++k) {
    ASSERT_TRUE(rows.due(Clock(k, dt))) << "frame " << k;
    ++written;
  }
  EXPECT_EQ(written, 1000001);
}

// An interval of a whole number of frames: a row exactly on every n-th frame.
TEST(RowSchedule, AnIntervalOfWholeFramesFallsOnTheSameFramesAllRunLong) {
  struct Case {
    double dt;
    long long frames;  // per row
  };
  for (const Case &c : {Case{0.1, 5}, Case{0.02, 5}, Case{0.02, 50}, Case{0.01, 3}, Case{0.05, 1200}}) {
    RowSchedule rows(c.dt * static_cast<double>(c.frames), c.dt / 1e6);
    long long written = 0;
    for (long long k = 0; k <= 1000000; ++k) {
      const bool due = rows.due(Clock(k, c.dt));
      ASSERT_EQ(due, k % c.frames == 0) << "dt " << c.dt << ", every " << c.frames << " frames, frame " << k;
      written += due;
    }
    EXPECT_EQ(written, 1000000 / c.frames + 1) << "dt " << c.dt;
  }
}

// Rows every 0.3 s on a 0.2 s clock: row n is written at the first frame at
// or after n x 0.3 s, frame ceil(3n / 2), and each row once.
TEST(RowSchedule, ARowBetweenFramesIsWrittenAtTheFirstFrameAfterIt) {
  const double dt = 0.2;
  RowSchedule rows(0.3, dt / 1e6);
  long long nextRow = 0;
  for (long long k = 0; k <= 1000000; ++k) {
    const long long dueFrame = (3 * nextRow + 1) / 2;
    const bool expected = k == dueFrame;
    ASSERT_EQ(rows.due(Clock(k, dt)), expected) << "frame " << k;
    if (expected) ++nextRow;
  }
  EXPECT_EQ(nextRow, 666667);
}

// A clock that steps over several row times writes one row for them all.
TEST(RowSchedule, AFrameLongerThanTheIntervalWritesOneRow) {
  RowSchedule rows(0.25, 1e-6);
  EXPECT_TRUE(rows.due(0.0));
  EXPECT_TRUE(rows.due(1.0));
  EXPECT_FALSE(rows.due(1.2));
  EXPECT_TRUE(rows.due(1.25));
  EXPECT_FALSE(rows.due(1.25));  // the same clock time again
}

TEST(RowSchedule, ATimeWithinTheToleranceOfARowTimeCountsAsIt) {
  RowSchedule rows(1.0, 1e-6);
  EXPECT_TRUE(rows.due(0.0));
  EXPECT_FALSE(rows.due(0.999));
  EXPECT_TRUE(rows.due(1.0 - 1e-7));
  EXPECT_FALSE(rows.due(1.0 + 1e-7));  // still row 1
  EXPECT_TRUE(rows.due(2.0));
}
