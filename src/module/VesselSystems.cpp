#include "module/VesselSystems.h"

#include <strings.h>

#include "config/ConfigText.h"

void VesselSystems::RegisterVariable(const char *name, void *address) {
  shipVariables.Register(name, address);
}

void VesselSystems::RegisterShipVariables(ShipVariableValues &values) {
  shipVariables.RegisterAll(values);
}

void VesselSystems::Step(double dt) { lastStepLength = dt; }

void VesselSystems::AttachVessel(GenericVessel *owner) { vessel = owner; }

VariableRef VesselSystems::ResolveReference(const char *text) {
  if (text == nullptr) return nullptr;
  // The system objects and panels answer here once they exist; until then a
  // reference to them names nothing.
  if (MatchKeyword(text, "HYDRAULIC") || MatchKeyword(text, "ELECTRIC")) return nullptr;
  if (MatchKeyword(text, "SHIP:")) {
    VariableRef address = shipVariables.Find(text + 5);
    if (address == nullptr) ReportError(kInvalidComponent);
    return address;
  }
  ReportError(kInvalidComponent);
  return nullptr;
}
