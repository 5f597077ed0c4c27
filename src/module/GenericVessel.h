// The vessel the host receives from ovcInit: the host's VESSEL plus everything
// the configuration file builds.
#pragma once

#include <Orbitersdk.h>

#include "config/ShipVariables.h"
#include "module/StepClock.h"
#include "module/VesselSystems.h"

class GenericVessel : public VESSEL {
 public:
  GenericVessel(OBJHANDLE hVessel, int flightModel);

  // The per-step update: advances the systems, then publishes the flight
  // state as ship variables.
  void Update(double simTime);
  // Publishes the host's flight state as ship variables, as every step ends.
  void PublishState();

  void LoadScenarioState(FILEHANDLE scn, void *status);
  void SaveScenarioState(FILEHANDLE scn);

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
