#include "systems/fluid/FluidTank.h"

#include <cmath>

#include "systems/ThermalModel.h"
#include "systems/fluid/HydraulicSystem.h"

namespace {

constexpr double kInitialTemperature = 290.0;

// The area of a sphere of the tank's volume (L), with the exponent 0.3333.
double SurfaceArea(double volume) {
  const double r = std::pow(0.75 * M_PI * volume / 1000, 0.3333);
  return 2 * M_PI * r * r;
}

}  // namespace

FluidTank::FluidTank(const char *tankName, double volume, const Vec3 &place)
    : FluidObject(tankName), configuredVolume(volume) {
  temperature = kInitialTemperature;
  position = place;
  contents.volume = volume;
}

FluidTank::~FluidTank() {
  if (system != nullptr) system->thermal->Unregister(this);
}

void FluidTank::Complete(bool inOpen, bool outOpen, double insulationFactor, HydraulicSystem *hydraulic) {
  mass = contents.TotalMass();
  contents.Count();
  heatContent = contents.TotalEnergy();
  in.open = inOpen ? 1 : 0;
  out.open = outOpen ? 1 : 0;
  hydraulic->thermal->Register(this);
  insulation = insulationFactor != 0.0 ? insulationFactor : 1.0;
  area = SurfaceArea(configuredVolume);
  system = hydraulic;
}

void FluidTank::Refresh(double dt) {
  contents.ThermalComps(dt);
  temperature = contents.temperature;
  heatContent = contents.energy;
  in.Refresh(dt);
  out.Refresh(dt);
}

void FluidTank::AddHeat(double q) {
  if (contents.energy < -q) q = -contents.energy / 10;
  contents.energy += q;
  heatContent += q;
}

FluidContents FluidTank::Take(double volume) {
  FluidContents taken = contents.TakeFraction(volume);
  mass -= taken.TotalMass();
  return taken;
}

int FluidTank::AcceptInflow(const FluidContents &parcel) {
  FluidContents added = parcel;
  contents.AddContents(added);
  mass += added.TotalMass();
  temperature = contents.temperature;
  heatContent = contents.energy;
  return 1;
}
