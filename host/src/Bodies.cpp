#include "Bodies.h"

namespace host {

VECTOR3 Planet::gravity(const VECTOR3 &rpos) const {
  const double r = length(rpos);
  if (r <= 0.0) return _V(0, 0, 0);
  return rpos * (-kGravitationalConstant * planetMass / (r * r * r));
}

double Planet::density(double h) const {
  return surfaceDensity * std::exp(-(h > 0.0 ? h : 0.0) / scaleHeight);
}

double Planet::pressure(double h) const {
  return surfacePressure * std::exp(-(h > 0.0 ? h : 0.0) / scaleHeight);
}

VECTOR3 Planet::atmosphereVelocity(const VECTOR3 &rpos) const {
  if (rotationPeriod == 0.0) return _V(0, 0, 0);
  return cross(rotationAxis() * (2.0 * M_PI / rotationPeriod), rpos);
}

}  // namespace host
