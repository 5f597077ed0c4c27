// A mixture of the five substances in a volume: the inside of a tank, or a
// parcel moving between tanks and devices.
#pragma once

#include <cstdint>

#include "systems/fluid/Substance.h"

// A microgram: less is a trace left by a port's last share, not contents; it
// can neither take heat nor give a temperature a reader could trust.
constexpr double kTraceGrams = 1e-6;

struct FluidContents {
  Substance substances[kSubstanceCount];  // slot k holds substance k
  int32_t count = 0;                      // slots holding mass
  double energy = 0.0;                    // J
  double mass = 0.0;                      // g, as of the last TotalMass
  double pressure = 0.0;                  // Pa
  double temperature = 273.0;             // K
  double volume = 0.0;                    // L

  // Empties every slot and total except volume and count.
  void Reset();
  // Adds `s` as substance `type`; a type that is not one of the five adds
  // nothing.
  void AddSubstance(int type, const Substance &s);
  void AddContents(const FluidContents &other);
  // Takes the share volumeTaken / volume (at most all) of every substance,
  // energy and vapour alike, so what stays keeps its temperature.
  FluidContents TakeFraction(double volumeTaken);
  // The mass of every slot; TotalMass also keeps it in `mass`.
  double SumMass() const;
  double TotalMass() { return mass = SumMass(); }
  // J/K: what a kelvin more takes.
  double HeatCapacity() const;
  // Whether it holds less than a trace.
  bool HoldsOnlyATrace() const;
  double TotalEnergy();
  int32_t Count();
  // Whether every figure is a finite number.
  bool Finite() const;
  // Temperature, pressure, boiling and condensation, partial pressures.
  void ThermalComps(double dt);

 private:
  double Pressure(double gasVolume, double stiffness, double moles) const;
};
