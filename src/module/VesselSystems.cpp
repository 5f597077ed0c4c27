#include "module/VesselSystems.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/ExactNumber.h"
#include "config/ScenarioLines.h"
#include "config/text/Keywords.h"
#include "config/text/ParseContext.h"
#include "config/text/SectionLines.h"
#include "config/text/TextScan.h"
#include "module/GenericVessel.h"
#include "module/ModuleLog.h"
#include "module/VesselConfiguration.h"
#include "panels/PanelParser.h"
#include "systems/fluid/FluidTank.h"

void VesselSystems::RegisterShipVariables(ShipVariableValues &values) {
  shipVariables.RegisterAll(values);
}

void VesselSystems::ReadVesselConfiguration(const char *className) {
  ModuleReading reading;
  VesselConfiguration(*this).Read(className, reading.Report());
  if (panelCount > 0 && drawingResources) drawingResources->CreateStandardSet();
  thermal.FinishConfiguration();
}

void VesselSystems::Step(const StepInputs &inputs) {
  thermal.Step(inputs);
  fluid.RefreshAll(inputs.dt);
  electric.RefreshAll(inputs.dt);
  std::string logEntries;
  fluid.KeepBodiesFinite(logEntries);
  electric.KeepBodiesFinite(logEntries);
  AppendToModuleLog(logEntries);
}

std::string VesselSystems::PlantFault() const {
  std::string fault = fluid.Fault();
  return fault.empty() ? electric.Fault() : fault;
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
  RenewVentResource();
  RemoveStageObjects(n);
  fluid.LinkToVessel(vessel, ventResource);
  currentConfiguration = n;
}

// The vent resource is made anew last in the host's list, after the tanks,
// and the old one goes, so the list does not grow by one at every separation.
// The gas still in it passes to the new one and, as venting does, is not part
// of the empty mass the configuration has just rebuilt. A restore gives back
// the gas and the empty mass the scenario recorded.
void VesselSystems::RenewVentResource() {
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

void VesselSystems::SavePropellants(FILEHANDLE scn) const {
  WriteScenarioString(scn, "<PROPELLANTS>", "");
  configurationSet.SavePropellantMasses(scn);
  if (ventResource != nullptr) {
    char gas[128];
    std::snprintf(gas, sizeof gas, "%s %s %s", ExactNumber(vessel->GetPropellantMass(ventResource)).text,
                  ExactNumber(vessel->GetPropellantMaxMass(ventResource)).text,
                  ExactNumber(configurationSet.builtEmptyMass - vessel->GetEmptyMass()).text);
    WriteScenarioString(scn, "<VENT>", gas);
  }
  WriteScenarioString(scn, "</PROPELLANTS>", "");
}

namespace {

// "MASS CAPACITY VENTED"; a record without the vented mass counts the gas in
// the resource as all that was vented.
bool ScanVentGas(const char *text, VesselSystems::VentGas &gas) {
  const int count = (Fields(text) >> gas.mass >> gas.capacity >> gas.vented).Count();
  if (count == 2) gas.vented = gas.mass;
  return count >= 2 && gas.mass >= 0.0 && gas.mass <= gas.capacity && std::isfinite(gas.capacity) &&
         std::isfinite(gas.vented);
}

}  // namespace

void VesselSystems::LoadPropellants(FILEHANDLE scn, std::string &logEntries) {
  char *line;
  while (oapiReadScenario_nextline(scn, line) && !MatchKeyword(line, "</PROPELLANTS>")) {
    VentGas gas;
    if (!MatchKeyword(line, "<VENT>")) {
      if (!configurationSet.RecordSavedMass(line, currentConfiguration)) logEntries += DebugLog::UnplacedRecord(line);
    } else if (ScanVentGas(AfterKeyword(line, "<VENT>"), gas)) {
      restoredVentGas = gas;
    }
  }
}

void VesselSystems::RemoveStageObjects(int n) {
  ReleasePanelBindings(n);
  // Electric objects draw on tanks, so they hear of every fluid object that goes.
  fluid.RemoveStage(n, &electric);
  electric.RemoveStage(n, nullptr);
}

// Instruments bound to variables of the objects that go at configuration n
// let go of them before their memory is released.
void VesselSystems::ReleasePanelBindings(int n) {
  std::vector<const void *> gone;
  fluid.AddressesGoingAt(n, gone);
  electric.AddressesGoingAt(n, gone);
  for (const auto &panel : panels) {
    if (panel == nullptr) continue;
    for (const auto &instrument : panel->instruments)
      for (const void *address : gone) instrument->ForgetAddress(address);
  }
}

void VesselSystems::OnKey(int keyCode) {
  const KeyBinding *binding = configurationSet.FindBinding(keyCode);
  if (binding != nullptr && binding->action == kActionSeparation) SetConfiguration(binding->configuration, false);
}

VariableRef VesselSystems::ResolveReference(const char *text, Diagnostics &diagnostics) {
  if (text == nullptr) return {};
  // The character after a system's name (its colon) is passed over.
  if (const char *name = AfterKeyword(text, "HYDRAULIC", 1)) return fluid.ResolveReference(name, diagnostics);
  if (const char *name = AfterKeyword(text, "ELECTRIC", 1)) return electric.ResolveReference(name, diagnostics);
  if (const char *name = AfterKeyword(text, "SHIP:")) {
    VariableRef variable = shipVariables.Find(name);
    if (!variable) diagnostics.LogError(kInvalidComponent);
    return variable;
  }
  return ResolvePanelReference(text, diagnostics);
}

VariableRef VesselSystems::ResolveReference(const char *text) {
  Diagnostics quiet;
  return ResolveReference(text, quiet);
}

std::vector<std::string> VesselSystems::ListReferences() const {
  std::vector<std::string> references, ship;
  shipVariables.ListNames(ship);
  for (const std::string &name : ship) references.push_back("SHIP:" + name);
  fluid.ListReferences("HYDRAULIC:", references);
  electric.ListReferences("ELECTRIC:", references);
  for (int n = 0; n < panelCount; ++n)
    if (panels[n] != nullptr) panels[n]->ListReferences(references);
  return references;
}

// The panel being built (at the panel count) can already be named. A panel
// without a name would take every reference, so it takes none.
VariableRef VesselSystems::ResolvePanelReference(const char *text, Diagnostics &diagnostics) {
  for (int n = 0; n <= panelCount && n < kMaxPanels; ++n) {
    Panel *panel = panels[n].get();
    if (panel == nullptr) continue;
    // The character after the panel's name (its colon) is passed over.
    const char *local = panel->name[0] != '\0' ? AfterKeyword(text, panel->name, 1) : nullptr;
    if (local != nullptr) return panel->ResolveLocal(local, diagnostics);
  }
  diagnostics.LogError(kInvalidComponent);
  return {};
}

bool VesselSystems::LoadPanel(int n) {
  if (n < 0 || n >= panelCount || panels[n] == nullptr) return false;
  currentPanel = n;
  Panel &panel = *panels[n];
  HBITMAP background =
      static_cast<HBITMAP>(LoadImageA(nullptr, panel.backgroundFile, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  oapiRegisterPanelBackground(background, PANEL_ATTACH_BOTTOM | PANEL_MOVEOUT_BOTTOM,
                              static_cast<DWORD>(static_cast<int64_t>(panel.colourKey)));
  oapiSetPanelNeighbours(panel.neighbours[0], panel.neighbours[1], panel.neighbours[2], panel.neighbours[3]);
  panel.RegisterAreas();
  return true;
}

void VesselSystems::PanelRedrawEvent(int area, int event, SURFHANDLE surface) {
  Panel *panel = CurrentPanel();
  if (panel == nullptr) return;
  Instrument *instrument = panel->InstrumentAt(area);
  if (instrument == nullptr) return;
  if (event == PANEL_REDRAW_ALWAYS) {
    instrument->FrameRedraw(panel->Context(surface));
  } else if (event == PANEL_REDRAW_MOUSE || event == PANEL_REDRAW_INIT || event == PANEL_REDRAW_USER) {
    instrument->Redraw(panel->Context(surface));
  }
}

void VesselSystems::PanelMouseEvent(int area, int event, int mx, int my) {
  Panel *panel = CurrentPanel();
  if (panel == nullptr) return;
  const int32_t key = panel->MouseEvent(area, event, mx, my);
  if (key != kActionNone) OnKey(key);
}

void VesselSystems::MfdModeChanged(int mfd) {
  if (panelCount <= 0) return;
  const int n = currentPanel < 0 ? 0 : (currentPanel >= panelCount ? panelCount - 1 : currentPanel);
  assert(n >= 0 && n < panelCount && n < kMaxPanels);
  const Panel *panel = PanelAt(n);
  if (panel != nullptr && mfd >= 0 && mfd < kMaxPanelMfds) oapiTriggerPanelRedrawArea(n, panel->mfdAreas[mfd]);
}

void VesselSystems::ParsePanelSection(ParseContext &context, const char *name) {
  if (panelCount >= kMaxPanels) {
    // Ten panels are all a vessel can have: a further section is read past.
    context.diagnostics.LogError(kInvalidComponent);
    SectionLines(context, "</PANEL>").Skip();
    return;
  }
  panels[panelCount] = std::make_unique<Panel>(drawingResources.get(), panelCount, name);
  PanelParser parser(*this, *panels[panelCount], context);
  char *line;
  SectionLines section(context, "</PANEL>");
  while (section.Next(line)) parser.Line(line);
  parser.Finish();
  ++panelCount;
}

namespace {

std::string Counted(size_t n, const char *what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

}  // namespace

std::string VesselSystems::Summary() const {
  size_t stages = 0, thrusters = 0, fluidTanks = 0, instruments = 0;
  for (int n = 0; n < kConfigurationCount; ++n) {
    if ((configurationSet.definedStages >> n) & 1u) ++stages;
    thrusters += configurationSet.configurations[n].thrusters.size();
  }
  for (const auto &object : fluid.Objects())
    if (dynamic_cast<const FluidTank *>(object.get()) != nullptr) ++fluidTanks;
  for (int n = 0; n < panelCount; ++n) instruments += panels[n]->instruments.size();
  return Counted(stages, "configuration") + ", " + Counted(configurationSet.propellants.size(), "propellant tank") +
         ", " + Counted(fluidTanks, "fluid tank") + ", " + Counted(fluid.Objects().size() - fluidTanks, "other fluid object") +
         ", " + Counted(electric.Objects().size(), "electric object") + ", " + Counted(thrusters, "thruster") + ", " +
         (panelCount > 0 ? Counted(static_cast<size_t>(panelCount), "panel") + " with " + Counted(instruments, "instrument")
                         : std::string("no panel"));
}
