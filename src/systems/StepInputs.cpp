#include "systems/StepInputs.h"

#include "math/HostVector.h"

StepInputs StepInputs::Sample(VESSEL &vessel, double dt) {
  StepInputs inputs;
  inputs.dt = dt;
  OBJHANDLE reference = vessel.GetGravityRef();
  inputs.bodyRadius = oapiGetSize(reference);
  VECTOR3 relative, global, local;
  vessel.GetRelativePos(reference, relative);
  vessel.GetGlobalPos(global);
  inputs.fromBody = FromHost(relative);
  inputs.fromSun = FromHost(global);
  vessel.Global2Local(ToHost(inputs.fromSun - inputs.fromBody), local);
  inputs.bodyCentre = FromHost(local);
  vessel.Global2Local(ToHost(inputs.fromSun / 2.0), local);
  inputs.sunward = FromHost(local);
  return inputs;
}
