#include "module/VesselSystems.h"

#include <strings.h>

#include "config/ConfigText.h"
#include "config/TextScan.h"
#include "module/GenericVessel.h"

void VesselSystems::RegisterVariable(const char *name, void *address) {
  shipVariables.Register(name, address);
}

void VesselSystems::RegisterShipVariables(ShipVariableValues &values) {
  shipVariables.RegisterAll(values);
}

void VesselSystems::Step(double dt) {
  lastStepLength = dt;
  thermal.Step(dt);
  hydraulic.RefreshAll(dt);
  electric.RefreshAll(dt);
}

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
  // Electric objects draw on tanks, so they hear of every fluid object that goes.
  hydraulic.RemoveStage(n, &electric);
  electric.RemoveStage(n, nullptr);
  hydraulic.LinkToVessel(vessel, ventResource);
  currentConfiguration = n;
}

void VesselSystems::OnKey(int keyCode) {
  const KeyBinding *binding = configurationSet.FindBinding(keyCode);
  if (binding != nullptr && binding->action == kActionSeparation) SetConfiguration(binding->configuration, false);
}

VariableRef VesselSystems::ResolveReference(const char *text) {
  if (text == nullptr) return nullptr;
  if (MatchKeyword(text, "HYDRAULIC")) return hydraulic.ResolveReference(AfterTag(text, 10));
  if (MatchKeyword(text, "ELECTRIC")) return electric.ResolveReference(AfterTag(text, 9));
  if (MatchKeyword(text, "SHIP:")) {
    VariableRef address = shipVariables.Find(text + 5);
    if (address == nullptr) ReportError(kInvalidComponent);
    return address;
  }
  ReportError(kInvalidComponent);
  return nullptr;
}
