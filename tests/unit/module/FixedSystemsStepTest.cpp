#include "module/FixedSystemsStep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

// Frames that add up to whole steps give them whatever their rounding; a
// frame's surplus waits for the next; a frame beyond the bound runs the bound
// once said, and drops the rest rather than dragging it along.
TEST(FixedSystemsStep, FramesAddUpToWholeStepsOnOneGrid) {
  FixedSystemsStep step;
  std::string log;
  EXPECT_EQ(step.StepsFor(1.0, log), 0);  // no fixed step
  step.SetLength(0.1);
  long total = 0;
  for (int frame = 0; frame < 50; ++frame) total += step.StepsFor(1.7, log);
  EXPECT_EQ(total, 850);
  total = 0;
  for (int frame = 0; frame < 5000; ++frame) total += step.StepsFor(0.02, log);
  EXPECT_EQ(total, 1000);
  EXPECT_EQ(step.StepsFor(0.05, log), 0);
  EXPECT_EQ(step.StepsFor(0.05, log), 1);
  for (double bad : {-1.0, 0.0, std::nan(""), std::numeric_limits<double>::infinity()})
    EXPECT_EQ(step.StepsFor(bad, log), 0) << bad;
  EXPECT_TRUE(log.empty());

  EXPECT_EQ(step.StepsFor(2000.05, log), FixedSystemsStep::kMostStepsAFrame);
  EXPECT_EQ(log,
            "ERROR IN STEP: the systems fell behind: a frame of 2000.05 s needs 20000 steps of 0.1 s; 10000 were run "
            "and the rest of the frame was dropped\n");
  EXPECT_EQ(step.StepsFor(3000, log), FixedSystemsStep::kMostStepsAFrame);
  EXPECT_EQ(step.StepsFor(0.1, log), 1);
  EXPECT_EQ(log.find("behind", 60), std::string::npos);
}

// The remainder goes into the scenario to the last bit and comes back onto
// the same grid; a record of another step starts the new grid afresh.
TEST(FixedSystemsStep, TheScenarioKeepsTheRemainder) {
  FixedSystemsStep saved, restored, changed;
  std::string log;
  saved.SetLength(0.1);
  saved.StepsFor(0.45, log);
  EXPECT_EQ(saved.Record().rfind("0.1 0.049999999", 0), 0u);
  restored.SetLength(0.1);
  restored.Restore(saved.Record().c_str());
  EXPECT_EQ(restored.StepsFor(0.05, log), 1);
  changed.SetLength(0.2);
  changed.Restore(saved.Record().c_str());
  EXPECT_EQ(changed.StepsFor(0.05, log), 0);
  EXPECT_EQ(changed.Record(), "0.2 0.05");
  for (const char *bad : {"0.1", "0.1 x", "0.1 nan", "0.1 5", ""}) {
    FixedSystemsStep kept;
    kept.SetLength(0.1);
    kept.Restore(bad);
    EXPECT_EQ(kept.Record(), "0.1 0") << bad;
  }
}
