#include "systems/fluid/Substance.h"

const SubstanceProperties kSubstances[kSubstanceCount] = {
    {32, 0.918, 213.13, 1314841, 6556, 1141, 32000000},  // O2
    {2, 1.434, 445.46, 4925221, 19045, 70, 23000000},    // H2
    {18, 4.18, 2260, 39441, 680, 1000, 2180000},         // H2O
    {28, 1.04, 198.83, 1528361, 7228, 807, 32000000},    // N2
    {44, 0.858, 347, 493284, 4800, 1014, 32000000},      // CO2
};

void Substance::SetTemperature(double kelvin, const SubstanceProperties &properties) {
  energy = kelvin * mass * properties.specificHeat;
}

Substance Substance::ScaledCopy(float factor) const {
  Substance copy;
  copy.mass = mass * factor;
  copy.energy = energy * factor;
  copy.vapourMass = vapourMass * factor;
  return copy;
}

void Substance::Add(const Substance &other) {
  mass += other.mass;
  energy += other.energy;
  vapourMass += other.vapourMass;
}

void Substance::Subtract(const Substance &other) {
  mass -= other.mass;
  energy -= other.energy;
  vapourMass -= other.vapourMass;
}

double Substance::Boil(double amount, const SubstanceProperties &properties) {
  const double latent = properties.latentHeat;
  if (mass - 1.0 < amount + vapourMass) amount = mass - 1.0 - vapourMass;
  if (amount < 0) return 0.0;
  if (amount * latent > energy) amount = energy / latent;
  vapourMass += amount;
  energy -= amount * latent;
  return -amount * latent;
}

double Substance::Condense(double amount, const SubstanceProperties &properties) {
  if (vapourMass < amount) amount = vapourMass;
  vapourMass -= amount;
  energy += amount * properties.latentHeat;
  return amount * properties.latentHeat;
}
