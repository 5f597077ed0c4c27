// Everything simulated for one vessel, owned for the vessel's whole life.
#pragma once

#include <cstdint>

#include "config/ShipVariables.h"

class GenericVessel;

// What a text reference resolves to: the bare address of a value, whose type
// the user of the reference fixes.
typedef void *VariableRef;

class VesselSystems {
 public:
  VesselSystems() = default;
  VesselSystems(const VesselSystems &) = delete;
  VesselSystems &operator=(const VesselSystems &) = delete;

  void RegisterVariable(const char *name, void *address);
  void RegisterShipVariables(ShipVariableValues &values);
  // Turns a reference such as "SHIP:ALTITUDE" into the address of its value,
  // or null (logged) when it names nothing.
  VariableRef ResolveReference(const char *text);

  // Advances the onboard systems by dt seconds.
  void Step(double dt);
  double LastStepLength() const { return lastStepLength; }

  void AttachVessel(GenericVessel *owner);
  GenericVessel *Vessel() const { return vessel; }

  int32_t currentConfiguration = 1;
  int32_t panelCount = 0;
  int32_t currentPanel = 0;

 private:
  GenericVessel *vessel = nullptr;
  double lastStepLength = 0.0;
  ShipVariableRegistry shipVariables;
};
