// Radiative heating and cooling of the vessel's thermal bodies: sunlight,
// the planet's infrared glow and reflected sunlight in, radiation to space out.
#pragma once

#include <cstdint>
#include <vector>

#include "math/Vec3.h"
#include "systems/StepInputs.h"
#include "systems/ThermalBody.h"

class ThermalModel {
 public:
  void Register(ThermalBody *body);
  void Unregister(ThermalBody *body);
  // Turns every body's position into its unit outward normal.
  void FinishConfiguration();
  // Works out the sun and the planet as seen from the vessel: once a frame,
  // for every step the frame completes.
  void Face(const StepInputs &inputs);
  // Adds each body's net radiative heat over a step of `dt` seconds.
  void Exchange(double dt);

  const std::vector<ThermalBody *> &Bodies() const { return bodies; }

  float planetRadius = 0.0f;
  Vec3 planetDirection;
  Vec3 sunDirection;
  int32_t sunlit = 0;
  double daySide = 0.0;

 private:
  void ExchangeHeat(ThermalBody &body, double dt) const;

  std::vector<ThermalBody *> bodies;
};
