// Which of the vessel's configurations it is in, and the host's side of it:
// the stage's meshes, tanks and thrusters, the separations between stages and
// the resource the plant vents its gas into.
#pragma once

#include <cstdint>
#include <string>

#include <Orbitersdk.h>

#include "config/ConfigurationSet.h"

class StageController {
 public:
  StageController() = default;
  StageController(const StageController &) = delete;
  StageController &operator=(const StageController &) = delete;

  void AttachVessel(VESSEL *owner);
  // Moves to configuration n: by separation from n - 1 only, or, `initial`,
  // as the restore of a saved vessel. False when the move is refused.
  bool MoveTo(int n, bool initial);
  int32_t Current() const { return current; }
  // The configuration a saved vessel was in, before it is rebuilt.
  void RestoreCurrent(int n);
  // The configuration a key separates into, or -1 for none.
  int SeparationKey(int keyCode) const;

  // The scenario's record of the host's propellant resources: every tank's
  // mass by name and the gas in the vent resource.
  void SavePropellants(FILEHANDLE scn) const;
  // Reads the record from the line after its opening tag; what it cannot
  // place goes to `logEntries`.
  void LoadPropellants(FILEHANDLE scn, std::string &logEntries);

  ConfigurationSet &Set() { return set; }
  const ConfigurationSet &Set() const { return set; }
  PROPELLANT_HANDLE VentResource() const { return ventResource; }

  // Gas in the vent resource, in kg, and the resource's capacity; what was
  // vented since the configuration was built, in kg off its empty mass.
  struct VentGas {
    double mass = 0.0;
    double capacity = 0.0;
    double vented = 0.0;
  };

 private:
  void RenewVentResource();

  ConfigurationSet set;
  VESSEL *vessel = nullptr;
  int32_t current = 1;
  // The resource vented gas goes into; a fresh one at every configuration.
  PROPELLANT_HANDLE ventResource = nullptr;
  // What the scenario's record says the vent resource held.
  VentGas restoredVentGas;
};
