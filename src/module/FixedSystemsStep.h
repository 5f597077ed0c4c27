// The plant's own step, when the configuration fixes one with SYSTEMS_STEP:
// the frames' lengths are summed, and the plant advances in whole steps of the
// fixed length while the sum holds one; the remainder waits for the next
// frame. What the plant does over a stretch of time then no longer depends on
// how the host cuts it into frames: a port's flow, a regenerator's take and a
// fuel cell's wear are each set per step.
#pragma once

#include <string>

class FixedSystemsStep {
 public:
  // A frame that would need more steps runs this many, and the rest of its
  // time is dropped rather than carried into every later frame.
  static constexpr long kMostStepsAFrame = 10000;

  // Whether `seconds` can be a step: above 0 and finite.
  static bool Valid(double seconds);
  // 0: no fixed step (the plant steps once a frame by the frame's length).
  void SetLength(double seconds);
  bool Fixed() const { return length > 0.0; }
  double Length() const { return length; }
  // The whole steps the time up to the end of a frame of `frame` seconds
  // holds. The first frame that needs more than kMostStepsAFrame says so, once,
  // in `logEntries`.
  long StepsFor(double frame, std::string &logEntries);

  // The scenario's record, "STEP REMAINDER", to the last bit; a record of
  // another step than the configured one leaves the remainder at 0, and the
  // plant on its new grid.
  std::string Record() const;
  void Restore(const char *record);

 private:
  double length = 0.0;
  double remainder = 0.0;
  bool fellBehind = false;
};
