// Stored energy: 28.8 V at the registered current until the charge runs out;
// recharges from its own source at a fixed 30 A while commanded.
#pragma once

#include "systems/ThermalBody.h"
#include "systems/electric/ElectricObject.h"

class Battery : public ElectricObject, public ThermalBody {
 public:
  Battery(const char *batteryName, ElectricObject *chargingSource, double capacityJoules);

  void AddLoad(float amps) override { loadTotal += amps; }
  void RemoveLoad(float amps) override { loadTotal -= amps; }
  void Connect(ElectricObject *newSource) override;
  void Refresh(double dt) override;
  VariableRef ResolveVariable(const char *keyword) override;
  void DropReference(SystemObject *object) override;
  ThermalBody *ThermalPart() override { return this; }
  void SaveState(FILEHANDLE scn) override;
  void LoadStateLine(const char *line) override;

  double loadTotal = 0.0;
  double charge;     // J
  double capacity;   // J
  int32_t chargeCommand = -1;
  double charging = 0.0;
};
