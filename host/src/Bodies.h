// The celestial bodies of the host's world: a star at the global origin and
// one planet with an exponential atmosphere.
#pragma once

#include <string>

#include "HostMath.h"

namespace host {

constexpr double kGravitationalConstant = 6.67259e-11;

// Everything the host hands out as an OBJHANDLE.
class Object {
 public:
  explicit Object(std::string objectName) : name(std::move(objectName)) {}
  virtual ~Object() = default;
  virtual double mass() const = 0;
  virtual double size() const = 0;
  virtual VECTOR3 globalPosition() const = 0;
  OBJHANDLE handle() { return static_cast<Object *>(this); }

  std::string name;
};

class Star : public Object {
 public:
  Star() : Object("Sun") {}
  double mass() const override { return starMass; }
  double size() const override { return radius; }
  VECTOR3 globalPosition() const override { return _V(0, 0, 0); }

  double starMass = 1.98855e30;
  double radius = 6.96e8;
};

class Planet : public Object {
 public:
  Planet() : Object("Earth") {}
  double mass() const override { return planetMass; }
  double size() const override { return radius; }
  VECTOR3 globalPosition() const override { return position; }

  // Gravitational acceleration at `rpos` relative to the centre.
  VECTOR3 gravity(const VECTOR3 &rpos) const;
  double altitude(const VECTOR3 &rpos) const { return length(rpos) - radius; }
  double density(double altitude) const;
  double pressure(double altitude) const;
  // The planet turns about the global +y axis; the atmosphere turns with it.
  VECTOR3 rotationAxis() const { return _V(0, 1, 0); }
  VECTOR3 atmosphereVelocity(const VECTOR3 &rpos) const;

  double planetMass = 5.973698968e24;
  double radius = 6.371e6;
  VECTOR3 position = _V(1.496e11, 0, 0);
  double rotationPeriod = 86164.1;
  double surfaceDensity = 1.225;
  double surfacePressure = 101325.0;
  double scaleHeight = 8500.0;
};

}  // namespace host
