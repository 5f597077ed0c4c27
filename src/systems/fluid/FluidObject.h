// The base of every object of the fluid list.
#pragma once

#include <Orbitersdk.h>

#include "systems/SystemObject.h"

class ThermalModel;

class FluidObject : public SystemObject {
 public:
  using SystemObject::SystemObject;

  // Called after every configuration change with the vessel and its fresh
  // vent propellant resource; only vents use them.
  virtual void LinkToVessel(VESSEL *vessel, PROPELLANT_HANDLE ventResource) {}

  // The thermal model this object's body is registered with, if it has one.
  ThermalModel *thermalModel = nullptr;
};
