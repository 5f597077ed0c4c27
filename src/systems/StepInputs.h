// What one step of the onboard systems reads from the host, sampled once at
// the step's start and handed down: the step's length and where the vessel
// is with respect to the body it moves about and the sun.
#pragma once

#include <Orbitersdk.h>

#include "math/Vec3.h"

struct StepInputs {
  double dt = 0.0;  // s
  // The radius of the body the vessel moves about, m.
  double bodyRadius = 0.0;
  // The vessel's position from the body's centre and from the sun (which
  // sits at the global origin), in global axes, m.
  Vec3 fromBody;
  Vec3 fromSun;
  // In the vessel's own frame: the body's centre, and the point halfway to
  // the sun (the sun itself lies too far for single precision).
  Vec3 bodyCentre;
  Vec3 sunward;

  static StepInputs Sample(VESSEL &vessel, double dt);
};
