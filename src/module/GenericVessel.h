// The vessel the host receives from ovcInit: the host's VESSEL2 plus
// everything the configuration file builds. The host sends it every event
// through the VESSEL2 callbacks it overrides here; the older entry points
// (ModuleEntry.cpp) reach the same members. No exception leaves a callback.
#pragma once

#include <Orbitersdk.h>

#include "config/ShipVariables.h"
#include "module/StepClock.h"
#include "module/VesselSystems.h"

class GenericVessel final : public VESSEL2 {
 public:
  GenericVessel(OBJHANDLE hVessel, int flightModel);

  // Restores the vessel from its scenario block; the host's own lines go to
  // its default parser.
  void clbkLoadStateEx(FILEHANDLE scn, void *status) override;
  // Shows the flight state in the ship variables before the first frame.
  void clbkPostCreation() override;
  // The step follows the host's dynamics: it reads the flight state the
  // frame ends with, as the panels show it, and advances the systems over
  // the frame.
  void clbkPostStep(double simt, double simdt, double mjd) override;
  // The host's default lines first, then the vessel's own.
  void clbkSaveState(FILEHANDLE scn) override;
  bool clbkLoadPanel(int id) override;
  bool clbkPanelRedrawEvent(int id, int event, SURFHANDLE surf) override;
  bool clbkPanelMouseEvent(int id, int event, int mx, int my) override;
  void clbkMFDMode(int mfd, int mode) override;
  int clbkConsumeBufferedKey(DWORD key, bool down, char *kstate) override;

  // The per-step update: advances the systems, then publishes the flight
  // state as ship variables.
  void Update(double simTime);
  // Publishes the host's flight state as ship variables, as every step ends.
  void PublishState();

  void LoadScenarioState(FILEHANDLE scn, void *status);
  // The vessel's own lines of its scenario block, after the host's.
  void SaveScenarioState(FILEHANDLE scn);
  // The panel events, answered as the host expects: a mouse or redraw event
  // is always taken.
  bool LoadPanel(int id);
  bool PanelRedrawEvent(int id, int event, SURFHANDLE surf);
  bool PanelMouseEvent(int id, int event, int mx, int my);
  void MfdModeChanged(int mfd);
  // A buffered key: acted on when it goes down, and never reported as taken,
  // since the host handles every key as well.
  int ConsumeBufferedKey(DWORD key, bool down);

  VesselSystems systems;
  char sourceClassName[kNameSize] = "";
  ShipVariableValues shipVariables;

 private:
  bool LoadInternals(FILEHANDLE scn);
  void PublishFlightState();
  void PublishStatusLists(VESSELSTATUS2 &status);
  void PublishDvToGo(const VESSELSTATUS2 &status);

  StepClock clock{oapiGetSimTime()};
};
