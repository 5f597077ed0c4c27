// A promise an events file makes about a variable: `TIME expect REF LOW HIGH`
// (bounds included, "-" for an open one), `TIME expect REF = VALUE
// [TOLERANCE]`, or over every frame of an interval, `FROM..TO expect ...`.
// A run checks it at each frame it covers and keeps the first frame that
// broke it and the worst value it saw.
#pragma once

#include <sstream>
#include <string>

#include "ScriptLine.h"
#include "Watch.h"

class Expectation : public ScriptLine {
 public:
  // The line's fields after its time and "expect"; false with the reason for
  // one it cannot use. `from` and `to` are the times it covers.
  bool Parse(std::istringstream &words, double from, double to, std::string &error);

  // Whether the frame at `time` is one it covers; a point covers the first
  // frame at or after its time (`tolerance` of a frame earlier counts).
  bool Covers(double time, double slack) const;
  void Check(double time, double value);

  bool Broken() const { return broken; }
  // "REF was VALUE at TIME s, expected ..." with its worst value over an
  // interval.
  std::string Failure() const;
  // "between 25 and 30", "at least 25", "28.8 within 0.1", "exactly 28.8".
  std::string Promise() const;

  TypedReference target;
  StoredVariable variable;  // as the run resolved it
  double from = 0.0, to = 0.0;

 private:
  // How far `value` lies outside the promise; 0 inside, infinite for NaN.
  double Miss(double value) const;

  bool equals = false;
  double low = 0.0, high = 0.0;  // -inf / inf for an open bound
  double value = 0.0, tolerance = 0.0;
  bool pointDone = false, broken = false;
  double firstTime = 0.0, firstValue = 0.0, worstTime = 0.0, worstValue = 0.0;
};
