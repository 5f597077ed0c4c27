// The five substances every fluid is made of, their constant properties, and
// one substance's share of a mixture.
#pragma once

#include <cstdint>

enum SubstanceType : int32_t { O2 = 0, H2 = 1, H2O = 2, N2 = 3, CO2 = 4 };

constexpr int kSubstanceCount = 5;

inline bool IsSubstanceType(int type) { return type >= 0 && type < kSubstanceCount; }

struct SubstanceProperties {
  double molarMass;           // g/mol
  double specificHeat;        // J/(g K)
  double latentHeat;          // J/g
  double vapourIntercept;     // Pa at 273 K
  double vapourSlope;         // Pa/K
  double liquidDensity;       // g/L
  double liquidStiffness;     // Pa
};

extern const SubstanceProperties kSubstances[kSubstanceCount];

// Pa L / (mol K): the gas constant in the fluid units.
constexpr double kGasConstant = 8309.280615;
constexpr double kVapourReferenceTemperature = 273.0;

// One substance's share of a mixture. Which substance it is, is the slot it
// holds in its mixture: a tank's contents are read every frame, so a share
// keeps only the figures that change.
struct Substance {
  double mass = 0.0;             // g, liquid and vapour
  double energy = 0.0;           // J
  double vapourMass = 0.0;       // g of gas
  double partialPressure = 0.0;  // Pa

  // Its energy at `kelvin`, as a substance of `properties`.
  void SetTemperature(double kelvin, const SubstanceProperties &properties);
  // The same substance with mass, energy and vapour scaled by `factor`.
  Substance ScaledCopy(float factor) const;
  void Add(const Substance &other);
  void Subtract(const Substance &other);
  // Turn up to `amount` g of liquid into vapour (never leaving less than 1 g
  // of liquid, never more than the energy pays for) or back; each returns the
  // mixture's energy change.
  double Boil(double amount, const SubstanceProperties &properties);
  double Condense(double amount, const SubstanceProperties &properties);
};
