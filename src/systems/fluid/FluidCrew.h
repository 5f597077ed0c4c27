// The people in a cabin: they breathe its oxygen and give back carbon dioxide
// and water.
#pragma once

#include <cstdint>

#include "systems/fluid/FluidObject.h"

class FluidTank;

class FluidCrew : public FluidObject {
 public:
  FluidCrew(const char *crewName, int32_t people, FluidTank *cabin);

  void Refresh(double dt) override;
  void DropReference(SystemObject *object) override;
  void Sketch(PlantSketch &sketch) const override;

  FluidTank *tank;
  int32_t crewCount;
};
