#include "module/StageController.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "config/text/ExactNumber.h"
#include "config/ScenarioLines.h"
#include "config/text/DebugLog.h"
#include "config/text/Keywords.h"
#include "config/text/TextScan.h"

void StageController::AttachVessel(VESSEL *owner) {
  vessel = owner;
  set.AttachVessel(owner);
}

bool StageController::MoveTo(int n, bool initial) {
  if (!IsConfigurationNumber(n) || vessel == nullptr) return false;
  if (!initial && current != n - 1) return false;
  if (!initial) set.Separate(n);
  set.ApplyConfiguration(n, initial);
  RenewVentResource();
  current = n;
  return true;
}

void StageController::RestoreCurrent(int n) {
  if (IsConfigurationNumber(n)) current = n;
}

int StageController::SeparationKey(int keyCode) const {
  const KeyBinding *binding = set.FindBinding(keyCode);
  return binding != nullptr && binding->action == kActionSeparation ? binding->configuration : -1;
}

// The vent resource is made anew last in the host's list, after the tanks,
// and the old one goes, so the list does not grow by one at every separation.
// The gas still in it passes to the new one and, as venting does, is not part
// of the empty mass the configuration has just rebuilt. A restore gives back
// the gas and the empty mass the scenario recorded.
void StageController::RenewVentResource() {
  VentGas gas = restoredVentGas;
  restoredVentGas = {};
  if (ventResource != nullptr) {
    const double mass = vessel->GetPropellantMass(ventResource);
    gas = {mass, vessel->GetPropellantMaxMass(ventResource), mass};
    vessel->DelPropellantResource(ventResource);
  }
  ventResource = vessel->CreatePropellantResource(gas.capacity, gas.mass, 1.0);
  // A recorded figure beyond what the vessel weighs cannot have left it.
  const double vented = std::clamp(gas.vented, 0.0, std::max(0.0, vessel->GetEmptyMass()));
  if (vented > 0.0) vessel->SetEmptyMass(vessel->GetEmptyMass() - vented);
}

void StageController::SavePropellants(FILEHANDLE scn) const {
  WriteScenarioString(scn, "<PROPELLANTS>", "");
  set.SavePropellantMasses(scn);
  if (ventResource != nullptr) {
    char gas[128];
    std::snprintf(gas, sizeof gas, "%s %s %s", ExactNumber(vessel->GetPropellantMass(ventResource)).text,
                  ExactNumber(vessel->GetPropellantMaxMass(ventResource)).text,
                  ExactNumber(set.builtEmptyMass - vessel->GetEmptyMass()).text);
    WriteScenarioString(scn, "<VENT>", gas);
  }
  WriteScenarioString(scn, "</PROPELLANTS>", "");
}

namespace {

// "MASS CAPACITY VENTED"; a record without the vented mass counts the gas in
// the resource as all that was vented.
bool ScanVentGas(const char *text, StageController::VentGas &gas) {
  const int count = (Fields(text) >> gas.mass >> gas.capacity >> gas.vented).Count();
  if (count == 2) gas.vented = gas.mass;
  return count >= 2 && gas.mass >= 0.0 && gas.mass <= gas.capacity && std::isfinite(gas.capacity) &&
         std::isfinite(gas.vented);
}

}  // namespace

void StageController::LoadPropellants(FILEHANDLE scn, std::string &logEntries) {
  char *line;
  while (oapiReadScenario_nextline(scn, line) && !MatchKeyword(line, "</PROPELLANTS>")) {
    VentGas gas;
    if (!MatchKeyword(line, "<VENT>")) {
      if (!set.RecordSavedMass(line, current)) logEntries += DebugLog::UnplacedRecord(line);
    } else if (ScanVentGas(AfterKeyword(line, "<VENT>"), gas)) {
      restoredVentGas = gas;
    }
  }
}
