// Tanks and pipes built directly, in a fluid list with its thermal model.
#pragma once

#include <gtest/gtest.h>

#include "systems/ThermalModel.h"
#include "systems/fluid/FluidPipe.h"
#include "systems/fluid/FluidTank.h"
#include "systems/fluid/FluidSystem.h"

class FluidFixture : public ::testing::Test {
 public:
  // `grams` of substance `type`, `vapour` of them as gas, at `kelvin`.
  static Substance MakeSubstance(int type, double grams, double vapour, double kelvin) {
    Substance s;
    s.mass = grams;
    s.vapourMass = vapour;
    s.energy = kelvin * grams * kSubstances[type].specificHeat;
    return s;
  }

 protected:
  // A tank of `volume` L holding `grams` of gas `type` at `kelvin`, both
  // valves open, appended to the fluid list.
  FluidTank *GasTank(const char *name, double volume, int type, double grams, double kelvin = 290.0) {
    FluidTank *tank = fluid.Append<FluidTank>(name, volume, Vec3(0, 0, 1));
    Fill(*tank, type, grams, grams, kelvin);
    tank->Complete(true, true, 0.0, fluid.thermal);
    return tank;
  }

  static void Fill(FluidTank &tank, int type, double grams, double vapour, double kelvin) {
    tank.contents.AddSubstance(type, MakeSubstance(type, grams, vapour, kelvin));
  }

  static double TotalMass(FluidTank &tank) { return tank.contents.TotalMass(); }

  ThermalModel thermal;
  FluidSystem fluid{&thermal};
};
