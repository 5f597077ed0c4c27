#include "systems/fluid/HydraulicSystem.h"

#include <cstdio>

#include "config/ConfigText.h"
#include "config/TextScan.h"
#include "systems/fluid/FluidObject.h"
#include "systems/fluid/FluidTank.h"

void HydraulicSystem::LoadFromScenario(FILEHANDLE scn) {
  char *line;
  while (oapiReadScenario_nextline(scn, line) && !MatchKeyword(line, "</HYDRAULIC>")) {
    if (const char *record = AfterKeyword(line, "<TANK>")) LoadTankRecord(scn, line, record);
  }
}

// A record that names no tank of this vessel is logged and passed over to
// its end. A volume or valve the record does not give keeps the tank's own.
void HydraulicSystem::LoadTankRecord(FILEHANDLE scn, const char *recordLine, const char *text) {
  LineWord name;
  Fields fields(text);
  FluidTank *tank = nullptr;
  if ((fields >> name).Count() == 1) tank = dynamic_cast<FluidTank *>(FindNamed(name));
  if (tank == nullptr) {
    ReportUnplacedRecord(recordLine);
    char *line;
    while (oapiReadScenario_nextline(scn, line) && !MatchKeyword(line, "</TANK>")) {
    }
    return;
  }
  tank->LoadRecord(scn, fields.Rest());
}

void HydraulicSystem::LinkToVessel(VESSEL *vessel, PROPELLANT_HANDLE ventResource) {
  for (const auto &o : Objects()) static_cast<FluidObject *>(o.get())->LinkToVessel(vessel, ventResource);
}

FluidTank *HydraulicSystem::TankAt(const void *address) const {
  if (!Contains(address)) return nullptr;
  return dynamic_cast<FluidTank *>(static_cast<SystemObject *>(const_cast<void *>(address)));
}

// Something that resolved, but to the wrong kind of thing, is as invalid a
// component as a name that resolves to nothing.
FluidValve *HydraulicSystem::ResolvePort(const char *text) {
  const VariableRef reference = Resolve(text, "tank");
  if (!reference) return nullptr;
  const void *address = reference.ObjectAddress();
  for (const auto &o : Objects()) {
    FluidTank *tank = dynamic_cast<FluidTank *>(o.get());
    if (tank != nullptr && address == &tank->in) return &tank->in;
    if (tank != nullptr && address == &tank->out) return &tank->out;
  }
  ReportError(kInvalidComponent);
  return nullptr;
}

FluidTank *HydraulicSystem::ResolveTank(const char *text) {
  const VariableRef reference = Resolve(text, "tank");
  if (!reference) return nullptr;
  FluidTank *tank = TankAt(reference.ObjectAddress());
  if (tank == nullptr) ReportError(kInvalidComponent);
  return tank;
}
