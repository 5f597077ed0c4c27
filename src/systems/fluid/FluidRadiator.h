// A panel that radiates heat to space.
#pragma once

#include "systems/ThermalBody.h"
#include "systems/fluid/FluidObject.h"

class FluidRadiator : public FluidObject, public ThermalBody {
 public:
  FluidRadiator(const char *radiatorName, const Vec3 &place, double kelvin, double radiatingArea,
                double emissivityFactor, double grams);
  ~FluidRadiator() override;

  void Refresh(double dt) override;
  void Sketch(PlantSketch &sketch) const override;
  ThermalBody *ThermalPart() override { return this; }

  double radiatingArea;
  double emissivity;

 private:
  void Publish(VariableTable &table) override { table.Add("TEMP", temperature); }
  int UnknownNameCode() const override { return kInvalidParameterCount; }
};
