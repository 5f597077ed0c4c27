#include "systems/ThermalModel.h"

#include <algorithm>
#include <cmath>

#include "math/Angles.h"
#include "math/HostVector.h"

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

void ThermalModel::Step(double dt) {
  if (vessel == nullptr) return;
  UpdateGeometry();
  for (ThermalBody *body : bodies) ExchangeHeat(*body, dt);
}

void ThermalModel::UpdateGeometry() {
  OBJHANDLE reference = vessel->GetGravityRef();
  planetRadius = static_cast<float>(oapiGetSize(reference));
  VECTOR3 relative, global;
  vessel->GetRelativePos(reference, relative);
  vessel->GetGlobalPos(global);
  const Vec3 rel = FromHost(relative);
  const Vec3 glob = FromHost(global);

  const float phi = static_cast<float>(AngleBetween(rel, glob));
  const double distance = rel.Length();
  // Inside the planet's radius every direction is shadowed.
  const double ratio = distance > 0.0 ? std::min(1.0, planetRadius / distance) : 1.0;
  sunlit = std::asin(ratio) < phi ? 1 : 0;
  daySide = phi > kPi / 2 && distance > 0.0
                ? std::sin(phi - kPi / 2) * planetRadius * planetRadius / (distance * distance)
                : 0.0;

  VECTOR3 local;
  vessel->Global2Local(ToHost(glob - rel), local);
  planetDirection = FromHost(local).Normalised();
  vessel->Global2Local(ToHost(glob / 2.0), local);
  sunDirection = FromHost(local).Normalised();
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
