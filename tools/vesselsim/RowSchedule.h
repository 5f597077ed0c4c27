// When the CSV rows of a run fall due: one at time 0, then one every `every`
// seconds of simulated time. Row n is due at n x every, computed from n itself
// rather than by adding `every` up, so a long run neither drifts nor loses rows.
#pragma once

class RowSchedule {
 public:
  // Clock times within `slack` of a row time count as that time. An `every`
  // that is not positive makes every clock time due.
  RowSchedule(double every, double slack) : interval(every), tolerance(slack) {}

  // True when a row is due at clock time `time`; the schedule then moves past
  // every row time up to `time`, so a clock that steps over several row times
  // writes one row for them all.
  bool due(double time);

 private:
  double rowTime() const { return static_cast<double>(row) * interval; }

  double interval;
  double tolerance;
  long long row = 0;  // the next row not yet written
};
