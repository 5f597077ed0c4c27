// An electric heater with a thermostat on one tank. It needs the 36 V of an
// AC bus.
#pragma once

#include "systems/electric/ElectricObject.h"

class FluidTank;

class Boiler : public ElectricObject {
 public:
  Boiler(const char *boilerName, int32_t boilerMode, ElectricObject *boilerSource, double setPoint, double watts,
         FluidTank *heated);

  void Refresh(double dt) override;
  VariableRef ResolveVariable(const char *keyword) override;
  void DropReference(SystemObject *object) override;
  void SaveState(FILEHANDLE scn) override;
  void LoadStateLine(const char *line) override;

  int32_t mode;   // positive thermostat, negative forced on, 0 off
  double on;
  double maxT;    // set point, K
  int32_t rate = 0;
  FluidTank *tank;
  SourceDraw draw;

 private:
  void Thermostat();
};
