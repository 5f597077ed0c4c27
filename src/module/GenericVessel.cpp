#include "module/GenericVessel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "config/ScenarioLines.h"
#include "config/text/BoundedCopy.h"
#include "config/text/Keywords.h"
#include "config/text/TextScan.h"
#include "module/CallbackGuard.h"
#include "module/ModuleLog.h"

namespace {

constexpr double kGravitationalConstant = 6.67259e-11;

// The module's own lists for the extended status record. They live on the
// stack for the one call: a step allocates nothing, and a fleet's vessels
// share the stack's cache lines instead of each holding its own.
constexpr int kFuelListSize = 20;
constexpr int kThrusterListSize = 50;

// "<SOURCE" is matched alone; the class name starts after "> ".
constexpr size_t kSourceSeparators = 2;

// How many of `reported` entries both the list and the published variables hold.
template <size_t publishedSize>
size_t Publishable(DWORD reported, int listSize, const double (&)[publishedSize]) {
  return std::min({static_cast<size_t>(reported), static_cast<size_t>(listSize), publishedSize});
}

}  // namespace

GenericVessel::GenericVessel(OBJHANDLE hVessel, int flightModel) : VESSEL2(hVessel, flightModel) {
  systems.RegisterShipVariables(shipVariables);
  systems.AttachVessel(this);
}

void GenericVessel::clbkLoadStateEx(FILEHANDLE scn, void *status) {
  Guarded("clbkLoadStateEx", [&] { LoadScenarioState(scn, status); });
}

void GenericVessel::clbkPostCreation() {
  Guarded("clbkPostCreation", [&] { PublishState(); });
}

void GenericVessel::clbkPostStep(double simt, double simdt, double mjd) {
  Guarded("clbkPostStep", [&] { Update(simt); });
}

void GenericVessel::clbkSaveState(FILEHANDLE scn) {
  Guarded("clbkSaveState", [&] {
    VESSEL2::clbkSaveState(scn);
    SaveScenarioState(scn);
  });
}

bool GenericVessel::clbkLoadPanel(int id) {
  return Guarded("clbkLoadPanel", false, [&] { return LoadPanel(id); });
}

bool GenericVessel::clbkPanelRedrawEvent(int id, int event, SURFHANDLE surf) {
  return Guarded("clbkPanelRedrawEvent", true, [&] { return PanelRedrawEvent(id, event, surf); });
}

bool GenericVessel::clbkPanelMouseEvent(int id, int event, int mx, int my) {
  return Guarded("clbkPanelMouseEvent", true, [&] { return PanelMouseEvent(id, event, mx, my); });
}

void GenericVessel::clbkMFDMode(int mfd, int mode) {
  Guarded("clbkMFDMode", [&] { MfdModeChanged(mfd); });
}

int GenericVessel::clbkConsumeBufferedKey(DWORD key, bool down, char *kstate) {
  return Guarded("clbkConsumeBufferedKey", 0, [&] { return ConsumeBufferedKey(key, down); });
}

bool GenericVessel::LoadPanel(int id) { return systems.deck.Load(id); }

bool GenericVessel::PanelRedrawEvent(int id, int event, SURFHANDLE surf) {
  systems.deck.RedrawEvent(id, event, surf);
  return true;
}

bool GenericVessel::PanelMouseEvent(int id, int event, int mx, int my) {
  systems.PanelMouseEvent(id, event, mx, my);
  return true;
}

void GenericVessel::MfdModeChanged(int mfd) { systems.deck.MfdModeChanged(mfd); }

int GenericVessel::ConsumeBufferedKey(DWORD key, bool down) {
  if (down) systems.OnKey(static_cast<int>(key));
  return 0;
}

void GenericVessel::Update(double simTime) {
  systems.onboard.Step(StepInputs::Sample(*this, clock.Advance(simTime)));
  PublishState();
}

void GenericVessel::PublishState() {
  PublishFlightState();

  VESSELSTATUS2::FUELSPEC fuelList[kFuelListSize];
  VESSELSTATUS2::THRUSTSPEC thrusterList[kThrusterListSize];
  VESSELSTATUS2 status;
  std::memset(&status, 0, sizeof status);
  status.version = 2;
  status.flag = VS_FUELLIST | VS_THRUSTLIST;
  status.nfuel = kFuelListSize;
  status.fuel = fuelList;
  status.nthruster = kThrusterListSize;
  status.thruster = thrusterList;
  GetStatusEx(&status);

  PublishStatusLists(status);
  PublishDvToGo(status);
}

void GenericVessel::PublishFlightState() {
  ShipVariableValues &v = shipVariables;
  oapiGetAirspeed(GetHandle(), &v.avel);
  v.altitude = GetAltitude();
  v.pitch = GetPitch();
  v.roll = GetBank();
  oapiGetHeading(GetHandle(), &v.yaw);
  v.airdens = GetAtmDensity();
  v.airpress = GetAtmPressure();
  v.aoa = GetAOA();
  for (size_t port = 0; port < std::size(v.dock); ++port) v.dock[port] = DockingStatus(static_cast<UINT>(port));
  v.mainth = GetThrusterGroupLevel(THGROUP_MAIN);
  v.retroth = GetThrusterGroupLevel(THGROUP_RETRO);
  v.hoverth = GetThrusterGroupLevel(THGROUP_HOVER);
  v.totalMass = GetMass();
}

void GenericVessel::PublishStatusLists(VESSELSTATUS2 &status) {
  const size_t fuels = Publishable(status.nfuel, kFuelListSize, shipVariables.fuel);
  for (size_t i = 0; i < fuels; ++i) shipVariables.fuel[i] = status.fuel[i].level;
  const size_t thrusters = Publishable(status.nthruster, kThrusterListSize, shipVariables.rcs);
  for (size_t i = 0; i < thrusters; ++i) shipVariables.rcs[i] = status.thruster[i].level;
}

void GenericVessel::PublishDvToGo(const VESSELSTATUS2 &status) {
  OBJHANDLE reference = GetGravityRef();
  const double mass = oapiGetMass(reference);
  const double distance = oapiGetSize(reference) + shipVariables.altitude;
  // Below the body's centre there is no circular orbit; its speed counts as 0
  // so the variable stays finite.
  const double circular = distance > 0.0 ? std::sqrt(kGravitationalConstant * mass / distance) : 0.0;
  const VECTOR3 &v = status.rvel;
  shipVariables.dvToGo = circular - std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

// The vessel's lines in the host's scenario block: which configuration file it
// is built from, which stage is active and the saved state of its systems.

// Reads the internals block up to its closing line. A block that lacks the
// closing line ends with the vessel's scenario block instead. The host's line
// is only good until the next read, so a section's line is not looked at again
// once its reader has taken lines of its own. True when the block recorded
// the propellants.
bool GenericVessel::LoadInternals(FILEHANDLE scn) {
  // What the saved configuration no longer has goes before the saved state
  // comes back: the saved loads of the sources never held the draws of those
  // objects, so they are withdrawn from the loads registered while the
  // objects were built, not from the restored ones.
  systems.RemoveStageObjects(systems.stages.Current());
  bool propellantsRecorded = false;
  // Records that name nothing of this vessel, logged once the block is read.
  std::string logEntries;
  char *line;
  while (oapiReadScenario_nextline(scn, line) && !MatchKeyword(line, "</INTERNALS>")) {
    int n;
    if (MatchKeyword(line, "<PROPELLANTS>")) {
      systems.stages.LoadPropellants(scn, logEntries);
      propellantsRecorded = true;
    } else if (systems.onboard.LoadFromScenario(line, scn, logEntries)) {
    } else if (const char *index = AfterKeyword(line, "<PANEL>")) {
      if ((Fields(index) >> n).Count() == 1) systems.deck.LoadFromScenario(n, scn);
    }
  }
  AppendToModuleLog(logEntries);
  return propellantsRecorded;
}

// The host's propellant levels are held back until the block is read: they
// are numbered by the host's resources, which a separation reorders and a
// changed configuration file renumbers, so where the module recorded the
// tanks by name the host's numbers are not used. A scenario without that
// record restores from the host's levels as before.
void GenericVessel::LoadScenarioState(FILEHANDLE scn, void *status) {
  std::string hostLevels;
  bool propellantsRecorded = false;
  char *line;
  while (oapiReadScenario_nextline(scn, line)) {
    if (MatchKeyword(line, "<INTERNALS>")) {
      propellantsRecorded = LoadInternals(scn) || propellantsRecorded;
    } else if (const char *name = AfterKeyword(line, "<SOURCE", kSourceSeparators)) {
      CopyName(sourceClassName, name);
      systems.ReadVesselConfiguration(sourceClassName);
    } else if (const char *number = AfterKeyword(line, "<CONFIG>")) {
      // Only a configuration the vessel can have is taken; otherwise the
      // vessel restores in the configuration it had.
      int n;
      if ((Fields(number) >> n).Count() == 1) systems.stages.RestoreCurrent(n);
    } else if (MatchKeyword(line, "PRPLEVEL")) {
      hostLevels = line;
    } else {
      ParseScenarioLineEx(line, status);
    }
  }
  systems.SetConfiguration(systems.stages.Current(), true);
  if (!propellantsRecorded && !hostLevels.empty()) ParseScenarioLineEx(hostLevels.data(), status);
  // A restored tank shows its contents' temperature and pressures from the
  // start, in every host: the first step's exchange of heat sees them, not
  // the placeholder its body was made with.
  systems.ShowTankFigures();
}

void GenericVessel::SaveScenarioState(FILEHANDLE scn) {
  WriteScenarioString(scn, "<SOURCE>", sourceClassName);
  WriteScenarioInt(scn, "<CONFIG>", systems.stages.Current());
  WriteScenarioString(scn, "<INTERNALS>", "");
  systems.stages.SavePropellants(scn);
  systems.onboard.SaveToScenario(scn);
  systems.deck.SaveToScenario(scn);
  WriteScenarioString(scn, "</INTERNALS>", "");
}
