// Stored energy: 28.8 V at the registered current until the charge runs out;
// recharges from its own source at a fixed 30 A while commanded.
#pragma once

#include "systems/electric/PowerSource.h"

class Battery : public PowerSource {
 public:
  Battery(const char *batteryName, ElectricObject *chargingSource, double capacityJoules);
  // A battery that goes stops charging from its source.
  ~Battery() override;

  void Connect(ElectricObject *newSource) override;
  void Refresh(double dt) override;
  void DropReference(SystemObject *object) override;
  void Sketch(PlantSketch &sketch) const override;

  double charge;     // J
  double capacity;   // J
  int32_t chargeCommand = -1;
  double charging = 0.0;

 protected:
  void Publish(VariableTable &table) override;
  const char *RecordTag() const override { return "    <BATTERY> "; }
  void Record(ScenarioRecord &record) override;
  void Restored() override;

 private:
  void StopCharging();
};
