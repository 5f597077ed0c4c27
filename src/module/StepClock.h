// The simulation time of a vessel's last step: kept per vessel, so two
// vessels of the class stepped at the same time each see the real step.
#pragma once

#include <algorithm>

class StepClock {
 public:
  // A vessel made while the simulation runs takes its first step from the
  // time it was made, not from the simulation's start.
  explicit StepClock(double madeAt) : previous(madeAt) {}

  // The step from the last time to `simTime`. A clock that went backwards
  // (a restarted simulation) gives no step rather than a negative one.
  double Advance(double simTime) {
    const double dt = std::max(0.0, simTime - previous);
    previous = simTime;
    return dt;
  }

 private:
  double previous;
};
