// The module's exported entry points. The 2016 host looks up three of them
// (GetModuleVersion, ovcInit, ovcExit) and sends every other event through
// the vessel's VESSEL2 callbacks. Older hosts call the other ovc entry points
// instead, each reaching the same member of the vessel as its callback; a
// host calls one or the other for an event, never both. The vsim entry
// points are the bench's. Nothing thrown inside the module crosses any of
// them (CallbackGuard.h).
#include <cstdio>
#include <string>
#include <vector>

#include "module/CallbackGuard.h"
#include "module/GenericVessel.h"
#include "module/PlantDescription.h"
#include "module/UnwindTables.h"

namespace {

GenericVessel *AsGeneric(VESSEL *vessel) { return static_cast<GenericVessel *>(vessel); }

// A vessel class read and built as a restore into configuration 1 builds
// it, with no host vessel: for the bench's check and drawing.
struct ClassWithoutHost {
  explicit ClassWithoutHost(const char *className) {
    systems.RegisterShipVariables(shipVariables);
    systems.CheckVesselConfiguration(className);
  }
  ShipVariableValues shipVariables;  // outlives the systems that read it
  VesselSystems systems;
};

// One call of `sink` a line.
void Send(const std::vector<std::string> &lines, void (*sink)(void *, const char *), void *context) {
  for (const std::string &line : lines) sink(context, line.c_str());
}

// A text the bench asks for, into its buffer; empty when the call fails.
template <typename Describe>
void GuardedText(const char *callback, char *text, int size, Describe describe) {
  if (text == nullptr || size <= 0) return;
  text[0] = '\0';
  Guarded(callback, [&] { std::snprintf(text, static_cast<size_t>(size), "%s", describe().c_str()); });
}

}  // namespace

// The host API the module was built against, numbered as the host numbers
// its versions (YYMMDD): the 2016 host's.
constexpr int kHostApiVersion = 160828;

DLLCLBK int GetModuleVersion() { return kHostApiVersion; }

// The host's first call that may throw inside the module.
DLLCLBK VESSEL *ovcInit(OBJHANDLE hVessel, int flightModel) {
  KeepUnwindTablesWithOwnUnwinder();
  return Guarded<VESSEL *>("ovcInit", nullptr, [&] { return new GenericVessel(hVessel, flightModel); });
}

DLLCLBK void ovcExit(VESSEL *vessel) { delete AsGeneric(vessel); }

DLLCLBK void ovcTimestep(VESSEL *vessel, double simTime) {
  Guarded("ovcTimestep", [&] { AsGeneric(vessel)->Update(simTime); });
}

DLLCLBK void ovcLoadStateEx(VESSEL *vessel, FILEHANDLE scn, void *status) {
  Guarded("ovcLoadStateEx", [&] { AsGeneric(vessel)->LoadScenarioState(scn, status); });
}

DLLCLBK void ovcSaveState(VESSEL *vessel, FILEHANDLE scn) {
  Guarded("ovcSaveState", [&] {
    AsGeneric(vessel)->SaveDefaultState(scn);
    AsGeneric(vessel)->SaveScenarioState(scn);
  });
}

DLLCLBK bool ovcLoadPanel(VESSEL *vessel, int id) {
  return Guarded("ovcLoadPanel", false, [&] { return AsGeneric(vessel)->LoadPanel(id); });
}

DLLCLBK bool ovcPanelRedrawEvent(VESSEL *vessel, int id, int event, SURFHANDLE surf) {
  return Guarded("ovcPanelRedrawEvent", true, [&] { return AsGeneric(vessel)->PanelRedrawEvent(id, event, surf); });
}

DLLCLBK bool ovcPanelMouseEvent(VESSEL *vessel, int id, int event, int mx, int my) {
  return Guarded("ovcPanelMouseEvent", true, [&] { return AsGeneric(vessel)->PanelMouseEvent(id, event, mx, my); });
}

DLLCLBK void ovcMFDmode(VESSEL *vessel, int mfd, int mode) {
  Guarded("ovcMFDmode", [&] { AsGeneric(vessel)->MfdModeChanged(mfd); });
}

DLLCLBK int ovcConsumeBufferedKey(VESSEL *vessel, DWORD key, bool down, char *kstate) {
  return Guarded("ovcConsumeBufferedKey", 0, [&] { return AsGeneric(vessel)->ConsumeBufferedKey(key, down); });
}

// Not called by the simulator: the bench resolves its watched and written
// variables with the module's own reference resolution through this. The
// variable's own type goes to `typeName` ("int", "float" or "double"; null
// for what is not a number: an object, a port or a pointer); the life of the
// object that holds it to `life` and `generation` (either may be null): the
// variable is gone once the life's count differs from the generation. A
// variable with no life lasts as long as the vessel.
DLLCLBK void *vsimResolveReference(VESSEL *vessel, const char *reference, const char **typeName, const uint32_t **life,
                                   uint32_t *generation) {
  const VariableRef variable = Guarded("vsimResolveReference", VariableRef(),
                                        [&] { return AsGeneric(vessel)->systems.ResolveReference(reference); });
  *typeName = variable.kind == VariableKind::kInt      ? "int"
              : variable.kind == VariableKind::kFloat  ? "float"
              : variable.kind == VariableKind::kDouble ? "double"
                                                       : nullptr;
  if (life != nullptr) *life = variable.life;
  if (generation != nullptr) *generation = variable.generation;
  return variable.address;
}

// Not called by the simulator: every reference vsimResolveReference takes to
// a ship variable or a system object or variable, one call of `sink` each,
// for the bench's completion.
DLLCLBK void vsimListReferences(VESSEL *vessel, void (*sink)(void *, const char *), void *context) {
  if (sink == nullptr) return;
  Guarded("vsimListReferences", [&] { Send(AsGeneric(vessel)->systems.ListReferences(), sink, context); });
}

// Not called by the simulator: the vessel's plant as it stands, one call of
// `sink` a line (the lines PlantDescription.h describes), for a drawing.
DLLCLBK void vsimDescribePlant(VESSEL *vessel, void (*sink)(void *, const char *), void *context) {
  if (sink == nullptr) return;
  Guarded("vsimDescribePlant", [&] { Send(DescribePlant(AsGeneric(vessel)->systems.onboard), sink, context); });
}

// Not called by the simulator: a checker's sink for what the configuration
// readers pass over silently; null turns the findings off again.
DLLCLBK void vsimSetFindingSink(FindingSink sink, void *context) { SetModuleFindingSink(sink, context); }

// What the check adds when the plant's steps follow the frames.
constexpr char kFrameRateNote[] =
    "\nthe systems step once a frame, so the plant depends on the frame rate: SYSTEMS_STEP fixes their step";

namespace {

// Whether `reference` names something of the vessel's plant.
bool IsPlantReference(const std::string &reference) {
  return reference.rfind("HYDRAULIC:", 0) == 0 || reference.rfind("ELECTRIC:", 0) == 0;
}

// A numeric variable's value as a double; false for what is not a number.
bool NumberOf(const VariableRef &variable, double &value) {
  switch (variable.kind) {
    case VariableKind::kDouble: value = *static_cast<const double *>(variable.address); return true;
    case VariableKind::kFloat: value = *static_cast<const float *>(variable.address); return true;
    case VariableKind::kInt: value = *static_cast<const int32_t *>(variable.address); return true;
    default: return false;
  }
}

}  // namespace

// Not called by the simulator: the check of a vessel class without the host.
// The module reads and builds "Config\\<className>.cfg" as a restore into
// configuration 1 does, with the findings going to the sink, and tells
// `variable` every numeric variable of the plant (its HYDRAULIC: and
// ELECTRIC: references) and its value as built, and `summary` what it built,
// with a note on a second line when the plant's steps follow the frames;
// nothing reaches the host.
DLLCLBK void vsimCheckClass(const char *className, void (*variable)(void *, const char *, double), void *context,
                            char *summary, int size) {
  GuardedText("vsimCheckClass", summary, size, [&] {
    ClassWithoutHost built(className);
    VesselSystems &systems = built.systems;
    double value;
    for (const std::string &reference : systems.ListReferences()) {
      if (variable == nullptr || !IsPlantReference(reference)) continue;
      if (NumberOf(systems.ResolveReference(reference.c_str()), value)) variable(context, reference.c_str(), value);
    }
    return systems.Summary() + (systems.onboard.DependsOnFrameRate() ? kFrameRateNote : "");
  });
}

// Not called by the simulator: the plant of a vessel class as a restore into
// configuration 1 builds it, without the host, for a drawing: the lines
// vsimDescribePlant gives.
DLLCLBK void vsimDescribeClassPlant(const char *className, void (*sink)(void *, const char *), void *context) {
  if (sink == nullptr || className == nullptr) return;
  Guarded("vsimDescribeClassPlant",
          [&] { Send(DescribePlant(ClassWithoutHost(className).systems.onboard), sink, context); });
}

// Not called by the simulator: what made a propellant resource of the vessel,
// for the bench to show: "tank NAME", "vent", or "" for one the module did
// not make.
DLLCLBK void vsimDescribeResource(VESSEL *vessel, PROPELLANT_HANDLE resource, char *text, int size) {
  if (text == nullptr || size <= 0) return;
  const VesselSystems &systems = AsGeneric(vessel)->systems;
  const PropellantDef *tank = systems.stages.Set().TankOf(resource, systems.stages.Current());
  const bool vent = resource == systems.stages.VentResource();
  std::snprintf(text, static_cast<size_t>(size), "%s%s", vent ? "vent" : tank != nullptr ? "tank " : "",
                !vent && tank != nullptr ? tank->name : "");
}

// Not called by the simulator: what the vessel's configuration built,
// counted, for the bench's clean check.
DLLCLBK void vsimSummary(VESSEL *vessel, char *text, int size) {
  GuardedText("vsimSummary", text, size, [&] { return AsGeneric(vessel)->systems.Summary(); });
}

// Not called by the simulator: the name of the vessel's panel n ("" for none),
// for the bench to list its panels by name.
DLLCLBK void vsimPanelName(VESSEL *vessel, int n, char *text, int size) {
  GuardedText("vsimPanelName", text, size, [&] {
    const Panel *panel = AsGeneric(vessel)->systems.deck.PanelAt(n);
    return std::string(panel != nullptr ? panel->name : "");
  });
}

// Not called by the simulator: what in the vessel's plant cannot be as it
// stands, so that the bench takes back a write that left it so; "" when
// nothing.
DLLCLBK void vsimPlantFault(VESSEL *vessel, char *text, int size) {
  GuardedText("vsimPlantFault", text, size, [&] { return AsGeneric(vessel)->systems.onboard.Fault(); });
}

// Not called by the simulator: the module's next guarded callback fails
// inside, as an allocation that fails would, for a test of the boundary.
DLLCLBK void vsimFailNextCallback() { FailNextCallback(); }
