// Everything simulated for one vessel, owned for the vessel's whole life: the
// stages and their separations, the onboard plant and the panel deck, and the
// references that reach into all three.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/ShipVariables.h"
#include "config/VariableResolver.h"
#include "module/OnboardSystems.h"
#include "module/StageController.h"
#include "panels/PanelDeck.h"

class VesselSystems : public VariableResolver {
 public:
  VesselSystems() = default;
  VesselSystems(const VesselSystems &) = delete;
  VesselSystems &operator=(const VesselSystems &) = delete;

  void AttachVessel(VESSEL *owner);
  void RegisterShipVariables(ShipVariableValues &values);
  // Reads "Config\\<className>.cfg" and builds everything it describes.
  void ReadVesselConfiguration(const char *className);
  // Reads and builds it as a check does, without the host: no mesh is
  // loaded, and the vessel has no host vessel. The objects configuration 1
  // deletes are gone, as in a vessel restored into it.
  void CheckVesselConfiguration(const char *className);
  // Every tank's temperature and pressures worked out from its contents, as
  // a restore or a check ends: the first step starts from them.
  void ShowTankFigures();

  // Turns a reference such as "SHIP:ALTITUDE" into its variable, or none
  // (logged) when it names nothing.
  VariableRef ResolveReference(const char *text, Diagnostics &diagnostics) override;
  // As the vessel flies: nothing is logged.
  VariableRef ResolveReference(const char *text);
  // The references ResolveReference takes to every ship variable, system
  // object and object variable ("SHIP:", "HYDRAULIC:" and "ELECTRIC:" ones),
  // then every variable a panel or an instrument holds itself.
  std::vector<std::string> ListReferences();

  // Moves to configuration n: by separation from n - 1 only, or, `initial`,
  // as the restore of a saved vessel.
  void SetConfiguration(int n, bool initial);
  void OnKey(int keyCode);
  // Deletes the fluid and electric objects whose stage is n or less; what
  // drew on them forgets them and what they drew is withdrawn.
  void RemoveStageObjects(int n);
  // A mouse event on the shown panel; a key it presses is carried out.
  void PanelMouseEvent(int area, int event, int mx, int my);

  // What the configuration built, counted: "2 configurations, 4 propellant
  // tanks, ..., 1 panel with 7 instruments[, systems step 0.1 s]".
  std::string Summary() const;

  // Declared so that the panels go first, then the plant, then the stages.
  StageController stages;
  OnboardSystems onboard;
  PanelDeck deck;

 private:
  // The reading and building shared by the vessel and the check.
  void ReadConfiguration(const char *className);

  VESSEL *vessel = nullptr;
  ShipVariableRegistry shipVariables;
};
