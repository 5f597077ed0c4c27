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
  // After a step: true when the body's figures are finite, which it then
  // keeps; otherwise it takes back those it kept after the step before, so a
  // NaN or an infinity never spreads from it.
  virtual bool HoldsFinite();
  // Whether the heat content and the temperature are finite numbers.
  bool FiguresFinite() const { return heatContent * 0.0 + temperature * 0.0 == 0.0; }

  double heatContent = 0.0;    // J
  double specificHeat = 0.0;   // per unit of mass
  double insulation = 1.0;     // 1 bare, 0 perfectly insulated
  double area = 0.0;           // m²
  Vec3 position;               // outward normal once the configuration is read
  double mass = 0.0;
  double temperature = 0.0;    // K
  // Whether a step that lost a finite figure was logged: once a body.
  bool lapseLogged = false;

 private:
  double keptHeat = 0.0;
  double keptTemperature = 0.0;
};
