#include "systems/ThermalModel.h"

#include <algorithm>
#include <cmath>

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

void ThermalModel::Exchange(double dt) {
  for (ThermalBody *body : bodies) ExchangeHeat(*body, dt);
}

void ThermalModel::Face(const StepInputs &inputs) {
  planetRadius = static_cast<float>(inputs.bodyRadius);
  const Vec3 &rel = inputs.fromBody;
  const Vec3 &glob = inputs.fromSun;

  // The angle between the vessel's directions from the planet and from the
  // sun decides both: under the planet's angular radius, asin(R / d), the
  // vessel is in shadow; past a right angle it faces the lit side. Both are
  // compared as cosines, so a frame needs no arc sine or arc cosine:
  // cos(asin(r)) = sqrt(1 - r^2) and sin(angle - pi/2) = -cos(angle).
  const double distance = rel.Length();
  const double lengths = distance * glob.Length();
  const double cosine = lengths > 0.0 ? std::clamp(Dot(rel, glob) / lengths, -1.0, 1.0) : 1.0;
  // Inside the planet's radius the shadow is the whole night side.
  const double ratio = distance > 0.0 ? std::min(1.0, planetRadius / distance) : 1.0;
  sunlit = cosine < std::sqrt(1.0 - ratio * ratio) ? 1 : 0;
  // A negative cosine has a distance behind it: without one the cosine is 1.
  daySide = cosine < 0.0 ? -cosine * planetRadius * planetRadius / (distance * distance) : 0.0;

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
