#include "systems/ThermalBody.h"

void ThermalBody::AddHeat(double heat) {
  heatContent += heat;
  temperature = heatContent / specificHeat / mass;
}

void ThermalBody::SetTemperature(double kelvin) {
  temperature = kelvin;
  heatContent = kelvin * specificHeat * mass;
}
