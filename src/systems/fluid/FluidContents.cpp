#include "systems/fluid/FluidContents.h"

#include <cmath>

void FluidContents::Reset() {
  for (Substance &s : substances) {
    s.mass = s.energy = s.vapourMass = s.partialPressure = 0.0;
  }
  energy = temperature = pressure = mass = 0.0;
}

// A figure times 0 is 0 unless the figure is a NaN or an infinity, so a sum
// of such products tells without a branch for every figure.
bool FluidContents::Finite() const {
  double zero = energy * 0.0 + mass * 0.0 + pressure * 0.0 + temperature * 0.0 + volume * 0.0;
  for (const Substance &s : substances)
    zero += s.mass * 0.0 + s.energy * 0.0 + s.vapourMass * 0.0 + s.partialPressure * 0.0;
  return zero == 0.0;
}

void FluidContents::AddSubstance(int type, const Substance &s) {
  if (!IsSubstanceType(type)) return;
  substances[type].Add(s);
  energy += s.energy;
  Count();
}

void FluidContents::AddContents(const FluidContents &other) {
  for (int k = 0; k < kSubstanceCount; ++k) substances[k].Add(other.substances[k]);
  energy += other.energy;
  Count();
}

FluidContents FluidContents::TakeFraction(double volumeTaken) {
  FluidContents taken;
  // A container without volume has nothing to share out by volume: any take
  // from it takes all, a take of nothing takes nothing.
  double f = volume > 0.0 ? volumeTaken / volume : (volumeTaken > 0.0 ? 1.0 : 0.0);
  if (f > 1) f = 1;
  if (!(f > 0)) f = 0;
  for (int k = 0; k < kSubstanceCount; ++k) {
    const Substance part = substances[k].ScaledCopy(static_cast<float>(f));
    taken.AddSubstance(k, part);
    substances[k].Subtract(part);
    energy -= part.energy;
  }
  return taken;
}

double FluidContents::HeatCapacity() const {
  double capacity = 0.0;
  for (int k = 0; k < kSubstanceCount; ++k) capacity += substances[k].mass * kSubstances[k].specificHeat;
  return capacity;
}

bool FluidContents::HoldsOnlyATrace() const { return !(SumMass() > kTraceGrams); }

double FluidContents::SumMass() const {
  double sum = 0.0;
  for (const Substance &s : substances) sum += s.mass;
  return sum;
}

double FluidContents::TotalEnergy() {
  energy = 0.0;
  for (const Substance &s : substances) energy += s.energy;
  return energy;
}

int32_t FluidContents::Count() {
  count = 0;
  for (const Substance &s : substances) count += s.mass != 0.0;
  return count;
}

// The liquids are slightly compressible: under pressure P their volume
// shrinks by stiffness x P, which the gas gains. Without liquid this is the
// ideal gas law; a gas with no room left reports no pressure rather than an
// infinite one.
double FluidContents::Pressure(double gasVolume, double stiffness, double moles) const {
  const double nRT = moles * kGasConstant * temperature;
  if (stiffness != 0.0) {
    return (std::sqrt(gasVolume * gasVolume + 4.0 * stiffness * nRT) - gasVolume) / (2.0 * stiffness);
  }
  return gasVolume > 0.0 ? nRT / gasVolume : 0.0;
}

void FluidContents::ThermalComps(double dt) {
  double heatCapacity = 0.0;
  for (int k = 0; k < kSubstanceCount; ++k) heatCapacity += substances[k].mass * kSubstances[k].specificHeat;
  const double totalMass = TotalMass();
  if (totalMass == 0.0) {
    temperature = 0.0;
  } else {
    temperature = (energy / (heatCapacity / totalMass)) / totalMass;
    for (int k = 0; k < kSubstanceCount; ++k) substances[k].SetTemperature(temperature, kSubstances[k]);
  }

  double moles = 0.0, liquidVolume = 0.0, stiffness = 0.0;
  for (int k = 0; k < kSubstanceCount; ++k) {
    const Substance &s = substances[k];
    const SubstanceProperties &p = kSubstances[k];
    moles += s.vapourMass / p.molarMass;
    const double liquid = (s.mass - s.vapourMass) / p.liquidDensity;
    liquidVolume += liquid;
    stiffness += liquid / p.liquidStiffness;
  }
  const double gasVolume = volume - liquidVolume;
  pressure = Pressure(gasVolume, stiffness, moles);
  const double effectiveVolume = gasVolume + stiffness * pressure;

  for (int k = 0; k < kSubstanceCount; ++k) {
    Substance &s = substances[k];
    const SubstanceProperties &p = kSubstances[k];
    const double vapourPressure =
        p.vapourIntercept - (kVapourReferenceTemperature - temperature) * p.vapourSlope;
    // An empty slot neither boils nor condenses, whatever its temperature.
    const bool holds = s.mass != 0.0 || s.vapourMass != 0.0;
    if (holds) energy += vapourPressure > pressure ? s.Boil(dt, p) : s.Condense(dt, p);
    s.partialPressure = effectiveVolume > 0.0
                            ? temperature * kGasConstant * s.vapourMass / p.molarMass / effectiveVolume
                            : 0.0;
  }
}
