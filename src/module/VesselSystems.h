// Everything simulated for one vessel, owned for the vessel's whole life.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "config/ConfigurationSet.h"
#include "config/ShipVariables.h"
#include "panels/DrawingResources.h"
#include "panels/InstrumentClass.h"
#include "panels/Panel.h"
#include "systems/ThermalModel.h"
#include "systems/electric/ElectricSystem.h"
#include "systems/fluid/FluidSystem.h"

class GenericVessel;

class VesselSystems {
 public:
  VesselSystems() = default;
  VesselSystems(const VesselSystems &) = delete;
  VesselSystems &operator=(const VesselSystems &) = delete;

  void RegisterShipVariables(ShipVariableValues &values);
  // Turns a reference such as "SHIP:ALTITUDE" into its variable, or none
  // (logged) when it names nothing.
  VariableRef ResolveReference(const char *text, Diagnostics &diagnostics);
  // As the vessel flies: nothing is logged.
  VariableRef ResolveReference(const char *text);
  // The references ResolveReference takes to every ship variable, system
  // object and object variable ("SHIP:", "HYDRAULIC:" and "ELECTRIC:" ones),
  // then every variable a panel or an instrument holds itself.
  std::vector<std::string> ListReferences() const;

  // Advances the onboard systems by dt seconds: the thermal model, then the
  // fluid objects, then the electric objects, each in configuration order.
  void Step(const StepInputs &inputs);
  // What in the plant cannot be as it stands, as a write from outside may
  // leave it (a tank of no room, a body below 0 K); empty when nothing.
  std::string PlantFault() const;

  // Reads "Config\\<className>.cfg" and builds everything it describes.
  void ReadVesselConfiguration(const char *className);
  // Moves to configuration n: by separation from n - 1 only, or, `initial`,
  // as the restore of a saved vessel.
  void SetConfiguration(int n, bool initial);
  void OnKey(int keyCode);
  // Deletes the fluid and electric objects whose stage is n or less; what
  // drew on them forgets them and what they drew is withdrawn.
  void RemoveStageObjects(int n);

  // The scenario's record of the host's propellant resources: every tank's
  // mass by name and the gas in the vent resource.
  void SavePropellants(FILEHANDLE scn) const;
  // Reads the record from the line after its opening tag; what it cannot
  // place goes to `logEntries`.
  void LoadPropellants(FILEHANDLE scn, std::string &logEntries);

  // Panels: the host's panel callbacks land here.
  bool LoadPanel(int n);
  void PanelRedrawEvent(int area, int event, SURFHANDLE surface);
  void PanelMouseEvent(int area, int event, int mx, int my);
  // Asks the host to redraw the area of MFD `mfd` on the current panel.
  void MfdModeChanged(int mfd);
  // "Panel NAME" lines: every class of "config\NAME.prd".
  void LoadClassFile(ParseContext &context, const char *name) {
    classes.LoadClassFile(context, name, drawingResources);
  }
  // A <PANEL> section, from the line after its opening line.
  void ParsePanelSection(ParseContext &context, const char *name);
  Panel *PanelAt(int n) const { return n >= 0 && n < kMaxPanels ? panels[n].get() : nullptr; }

  void AttachVessel(GenericVessel *owner);
  // What the configuration built, counted: "2 configurations, 4 propellant
  // tanks, ..., 1 panel with 7 instruments".
  std::string Summary() const;

  // Declared so that destruction runs electric, fluid, thermal, then the
  // configuration set: objects unregister from the thermal model as they go.
  ConfigurationSet configurationSet;
  ThermalModel thermal;
  FluidSystem fluid{&thermal};
  ElectricSystem electric{&thermal, &fluid};
  // Destroyed before the systems: panels, then classes, then the drawing
  // resources first of all.
  std::array<std::unique_ptr<Panel>, kMaxPanels> panels;
  InstrumentClassList classes;
  std::unique_ptr<DrawingResources> drawingResources;
  int32_t currentConfiguration = 1;
  // The resource vented gas goes into; a fresh one at every configuration.
  PROPELLANT_HANDLE ventResource = nullptr;
  // Gas in the vent resource, in kg, and the resource's capacity; what was
  // vented since the configuration was built, in kg off its empty mass.
  struct VentGas {
    double mass = 0.0;
    double capacity = 0.0;
    double vented = 0.0;
  };
  int32_t panelCount = 0;
  int32_t currentPanel = 0;

 private:
  GenericVessel *vessel = nullptr;
  // What the scenario's record says the vent resource held.
  VentGas restoredVentGas;

  void RenewVentResource();

  VariableRef ResolvePanelReference(const char *text, Diagnostics &diagnostics);
  void ReleasePanelBindings(int n);
  Panel *CurrentPanel() const { return PanelAt(currentPanel); }
  ShipVariableRegistry shipVariables;
};
