// An end of the network that makes the power its consumers draw, at 28.8 V:
// it sums the loads they register and warms a body of its own.
#pragma once

#include "systems/ThermalBody.h"
#include "systems/electric/ElectricObject.h"

class PowerSource : public ElectricObject, public ThermalBody {
 public:
  struct Body {
    double mass;          // g
    double specificHeat;  // J/(g K)
    double area;          // m²
    double temperature;   // K, at the start
  };

  PowerSource(const char *sourceName, const Body &body) : ElectricObject(sourceName) {
    voltage = kDcVoltage;
    mass = body.mass;
    specificHeat = body.specificHeat;
    area = body.area;
    SetTemperature(body.temperature);
  }

  void AddLoad(float amps) override { loadTotal += amps; }
  void RemoveLoad(float amps) override { loadTotal -= amps; }
  ThermalBody *ThermalPart() override { return this; }

  double loadTotal = 0.0;
};
