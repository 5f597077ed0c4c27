// The part of an object that gains and loses heat: its heat content, and the
// temperature that follows from it.
#pragma once

#include "math/Vec3.h"

class ThermalBody {
 public:
  virtual ~ThermalBody() = default;

  // Adds `heat` joules (negative removes) and updates the temperature.
  virtual void AddHeat(double heat);
  void SetTemperature(double kelvin);

  double heatContent = 0.0;    // J
  double specificHeat = 0.0;   // per unit of mass
  double insulation = 1.0;     // 1 bare, 0 perfectly insulated
  double area = 0.0;           // m²
  Vec3 position;               // outward normal once the configuration is read
  double mass = 0.0;
  double temperature = 0.0;    // K
};
