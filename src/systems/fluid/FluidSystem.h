// The vessel's fluid objects, in configuration order: built from the
// <HYDRAULIC> section, saved as tank records in the scenario.
#pragma once

#include <Orbitersdk.h>

#include <cstdio>

#include "systems/SystemList.h"

class ParseContext;
class ThermalModel;
class FluidTank;
class FluidValve;

class FluidSystem : public SystemList {
 public:
  explicit FluidSystem(ThermalModel *model)
      : SystemList("<HYDRAULIC>", "</HYDRAULIC>", "fluid object"), thermal(model) {}
  // Tanks and radiators leave the thermal model as they go.
  ~FluidSystem() override { DeleteAll(); }

  void ParseConfigurationSection(ParseContext &context) override;
  void LoadFromScenario(FILEHANDLE scn, std::string &logEntries) override;
  // After every configuration change: vents make their thrusters anew.
  void LinkToVessel(VESSEL *vessel, PROPELLANT_HANDLE ventResource);

  // A reference that must name a tank port ("TANK:OUT"), or a tank; what
  // resolves to anything else is refused as null.
  FluidValve *ResolvePort(const char *text, Diagnostics &diagnostics);
  FluidTank *ResolveTank(const char *text, Diagnostics &diagnostics);
  // Every tank's temperature and pressures as its next step will work them
  // out from its contents, without stepping: what a restored vessel shows
  // before its first frame.
  void ShowTankFigures();

  ThermalModel *thermal;

 private:
  // `text` is what follows the tag in `recordLine`.
  void LoadTankRecord(FILEHANDLE scn, const char *recordLine, const char *text, std::string &logEntries);
  FluidTank *TankAt(const void *address) const;
};
