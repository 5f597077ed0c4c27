#include "module/VesselSystems.h"

#include <string>
#include <vector>

#include "config/text/Diagnostics.h"
#include "config/text/ExactNumber.h"
#include "config/text/Keywords.h"
#include "module/ModuleLog.h"
#include "module/VesselConfiguration.h"
#include "systems/fluid/FluidTank.h"

void VesselSystems::AttachVessel(VESSEL *owner) {
  vessel = owner;
  stages.AttachVessel(owner);
}

void VesselSystems::RegisterShipVariables(ShipVariableValues &values) { shipVariables.RegisterAll(values); }

void VesselSystems::ReadVesselConfiguration(const char *className) {
  ReadConfiguration(className);
  stages.Set().LoadMeshes();
}

void VesselSystems::CheckVesselConfiguration(const char *className) {
  ReadConfiguration(className);
  RemoveStageObjects(stages.Current());
  ShowTankFigures();
}

void VesselSystems::ShowTankFigures() { onboard.Fluid().ShowTankFigures(); }

void VesselSystems::ReadConfiguration(const char *className) {
  ModuleReading reading;
  VesselConfiguration(stages.Set(), onboard, deck, *this).Read(className, reading.Report());
  deck.FinishConfiguration();
  onboard.Thermal().FinishConfiguration();
}

void VesselSystems::SetConfiguration(int n, bool initial) {
  if (!stages.MoveTo(n, initial)) return;
  RemoveStageObjects(n);
  onboard.Fluid().LinkToVessel(vessel, stages.VentResource());
}

// Bindings into the objects that go are gone with them.
void VesselSystems::RemoveStageObjects(int n) { onboard.RemoveStage(n); }

void VesselSystems::OnKey(int keyCode) {
  const int n = stages.SeparationKey(keyCode);
  if (n >= 0) SetConfiguration(n, false);
}

void VesselSystems::PanelMouseEvent(int area, int event, int mx, int my) {
  const int32_t key = deck.MouseEvent(area, event, mx, my);
  if (key != kActionNone) OnKey(key);
}

VariableRef VesselSystems::ResolveReference(const char *text, Diagnostics &diagnostics) {
  if (text == nullptr) return {};
  // The character after a system's name (its colon) is passed over.
  if (const char *name = AfterKeyword(text, "HYDRAULIC", 1)) return onboard.Fluid().ResolveReference(name, diagnostics);
  if (const char *name = AfterKeyword(text, "ELECTRIC", 1))
    return onboard.Electric().ResolveReference(name, diagnostics);
  if (const char *name = AfterKeyword(text, "SHIP:")) return shipVariables.ResolveVariable(name, diagnostics);
  return deck.ResolveReference(text, diagnostics);
}

VariableRef VesselSystems::ResolveReference(const char *text) {
  Diagnostics quiet;
  return ResolveReference(text, quiet);
}

std::vector<std::string> VesselSystems::ListReferences() {
  std::vector<std::string> references;
  shipVariables.ListVariables(references, "SHIP:");
  onboard.Fluid().ListReferences("HYDRAULIC:", references);
  onboard.Electric().ListReferences("ELECTRIC:", references);
  deck.ListReferences(references);
  return references;
}

namespace {

std::string Counted(size_t n, const char *what) { return std::to_string(n) + " " + what + (n == 1 ? "" : "s"); }

}  // namespace

std::string VesselSystems::Summary() const {
  const ConfigurationSet &set = stages.Set();
  size_t configurations = 0, thrusters = 0, fluidTanks = 0;
  for (int n = 0; n < kConfigurationCount; ++n) {
    if ((set.definedStages >> n) & 1u) ++configurations;
    thrusters += set.configurations[n].thrusters.size();
  }
  const auto &fluids = onboard.Fluid().Objects();
  for (const auto &object : fluids)
    if (dynamic_cast<const FluidTank *>(object.get()) != nullptr) ++fluidTanks;
  const size_t panels = static_cast<size_t>(deck.Count());
  return Counted(configurations, "configuration") + ", " + Counted(set.propellants.size(), "propellant tank") + ", " +
         Counted(fluidTanks, "fluid tank") + ", " + Counted(fluids.size() - fluidTanks, "other fluid object") + ", " +
         Counted(onboard.Electric().Objects().size(), "electric object") + ", " + Counted(thrusters, "thruster") +
         ", " +
         (panels > 0 ? Counted(panels, "panel") + " with " + Counted(deck.InstrumentCount(), "instrument")
                     : std::string("no panel")) +
         (onboard.SystemsStep().Fixed()
              ? std::string(", systems step ") + ExactNumber(onboard.SystemsStep().Length()).text + " s"
              : "");
}
