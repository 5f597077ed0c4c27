#include "systems/fluid/FluidRadiator.h"

#include "config/text/ExactNumber.h"
#include "config/text/Keywords.h"
#include "systems/PlantSketch.h"
#include "systems/ThermalModel.h"

namespace {

constexpr double kRadiatorSpecificHeat = 0.15;
constexpr double kStefanBoltzmann = 5.67e-08;
constexpr double kBackgroundTemperature = 3.0;

}  // namespace

FluidRadiator::FluidRadiator(const char *radiatorName, const Vec3 &place, double kelvin, double areaRadiating,
                             double emissivityFactor, double grams)
    : FluidObject(radiatorName), radiatingArea(areaRadiating), emissivity(emissivityFactor) {
  specificHeat = kRadiatorSpecificHeat;
  mass = grams;
  SetTemperature(kelvin);
  position = place;
  insulation = 1.0;
  area = 0.25 * radiatingArea;
}

FluidRadiator::~FluidRadiator() {
  if (thermalModel != nullptr) thermalModel->Unregister(this);
}

void FluidRadiator::Refresh(double dt) {
  const double excess = temperature - kBackgroundTemperature;
  AddHeat(-(emissivity * radiatingArea * kStefanBoltzmann * dt * excess * excess * excess * excess));
}

void FluidRadiator::Sketch(PlantSketch &sketch) const {
  sketch.kind = "radiator";
  sketch.label = std::string(ExactNumber(area).text) + " m2";
}
