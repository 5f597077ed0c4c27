#include "systems/ThermalModel.h"

#include <algorithm>
#include <cmath>

#include "math/Angles.h"

namespace {

constexpr float kStefanBoltzmann = 5.67e-8f;
constexpr float kSolarFlux = 1372.0f;
constexpr float kPlanetInfraredFlux = 190.0f;
constexpr float kPlanetReflectedFlux = 300.0f;
constexpr double kBackgroundTemperature = 3.0;

}  // namespace

void ThermalModel::Register(ThermalBody *body) { bodies.push_back(body); }

void ThermalModel::Unregister(ThermalBody *body) {
  bodies.erase(std::remove(bodies.begin(), bodies.end(), body), bodies.end());
}

void ThermalModel::FinishConfiguration() {
  for (ThermalBody *body : bodies) body->position.Normalise();
}

void ThermalModel::Step(const StepInputs &inputs) {
  UpdateGeometry(inputs);
  for (ThermalBody *body : bodies) ExchangeHeat(*body, inputs.dt);
}

void ThermalModel::UpdateGeometry(const StepInputs &inputs) {
  planetRadius = static_cast<float>(inputs.bodyRadius);
  const Vec3 &rel = inputs.fromBody;
  const Vec3 &glob = inputs.fromSun;

  const float phi = static_cast<float>(AngleBetween(rel, glob));
  const double distance = rel.Length();
  // Inside the planet's radius every direction is shadowed.
  const double ratio = distance > 0.0 ? std::min(1.0, planetRadius / distance) : 1.0;
  sunlit = std::asin(ratio) < phi ? 1 : 0;
  daySide = phi > kPi / 2 && distance > 0.0
                ? std::sin(phi - kPi / 2) * planetRadius * planetRadius / (distance * distance)
                : 0.0;

  planetDirection = inputs.bodyCentre.Normalised();
  sunDirection = inputs.sunward.Normalised();
}

void ThermalModel::ExchangeHeat(ThermalBody &body, double dt) const {
  float q = kPlanetInfraredFlux * static_cast<float>(Dot(body.position, planetDirection));
  if (q < 0) q = 0;
  if (sunlit) {
    const float s = kSolarFlux * static_cast<float>(Dot(body.position, sunDirection));
    if (s > 0) q += s;
  }
  if (daySide > 0) {
    const float a = kPlanetReflectedFlux * static_cast<float>(Dot(body.position, planetDirection));
    if (a > 0) q += a;
  }
  const double excess = body.temperature - kBackgroundTemperature;
  const double net = q - static_cast<double>(kStefanBoltzmann) * excess * excess * excess * excess;
  body.AddHeat(net * body.area * dt * body.insulation);
}
