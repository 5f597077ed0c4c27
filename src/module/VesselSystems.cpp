#include "module/VesselSystems.h"

#include <strings.h>

#include "config/ConfigText.h"
#include "module/GenericVessel.h"

void VesselSystems::RegisterVariable(const char *name, void *address) {
  shipVariables.Register(name, address);
}

void VesselSystems::RegisterShipVariables(ShipVariableValues &values) {
  shipVariables.RegisterAll(values);
}

void VesselSystems::Step(double dt) { lastStepLength = dt; }

void VesselSystems::AttachVessel(GenericVessel *owner) {
  vessel = owner;
  configurationSet.AttachVessel(owner);
}

void VesselSystems::SetConfiguration(int n, bool initial) {
  if (!IsConfigurationNumber(n) || vessel == nullptr) return;
  if (!initial && currentConfiguration != n - 1) return;
  if (!initial) configurationSet.Separate(n);
  configurationSet.ApplyConfiguration(n, initial);
  ventResource = vessel->CreatePropellantResource(0.0, -1.0, 1.0);
  currentConfiguration = n;
}

void VesselSystems::OnKey(int keyCode) {
  const KeyBinding *binding = configurationSet.FindBinding(keyCode);
  if (binding != nullptr && binding->action == kActionSeparation) SetConfiguration(binding->configuration, false);
}

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
