#include "systems/ThermalBody.h"

// A body without heat capacity keeps its temperature rather than turning it
// into an infinity.
void ThermalBody::AddHeat(double heat) {
  heatContent += heat;
  if (specificHeat * mass > 0) temperature = heatContent / specificHeat / mass;
}

bool ThermalBody::HoldsFinite() {
  if (FiguresFinite()) {
    keptHeat = heatContent;
    keptTemperature = temperature;
    return true;
  }
  heatContent = keptHeat;
  temperature = keptTemperature;
  return false;
}

void ThermalBody::SetTemperature(double kelvin) {
  temperature = kelvin;
  heatContent = kelvin * specificHeat * mass;
}
