// An electric heater with a thermostat on one tank. It needs the 36 V of an
// AC bus.
#pragma once

#include "systems/electric/SwitchedConsumer.h"

class FluidTank;

class Boiler : public SwitchedConsumer {
 public:
  Boiler(const char *boilerName, int32_t boilerMode, ElectricObject *boilerSource, double setPoint, double watts,
         FluidTank *heated);

  void Refresh(double dt) override;
  void DropReference(SystemObject *object) override;
  void Sketch(PlantSketch &sketch) const override;

  // Its mode: positive runs the thermostat, negative forces it on, 0 is off.
  double maxT;    // set point, K
  int32_t rate = 0;
  FluidTank *tank;

 protected:
  void Publish(VariableTable &table) override;
  const char *RecordTag() const override { return "    <BOILER> "; }
  void Record(ScenarioRecord &record) override;

 private:
  void Thermostat();
};
