// Vector and rotation arithmetic of the host's physics.
#pragma once

#include <cmath>

#include "OrbiterAPI.h"

namespace host {

inline VECTOR3 operator+(const VECTOR3 &a, const VECTOR3 &b) { return _V(a.x + b.x, a.y + b.y, a.z + b.z); }
inline VECTOR3 operator-(const VECTOR3 &a, const VECTOR3 &b) { return _V(a.x - b.x, a.y - b.y, a.z - b.z); }
inline VECTOR3 operator*(const VECTOR3 &a, double s) { return _V(a.x * s, a.y * s, a.z * s); }
inline VECTOR3 &operator+=(VECTOR3 &a, const VECTOR3 &b) { return a = a + b; }
inline double dot(const VECTOR3 &a, const VECTOR3 &b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline VECTOR3 cross(const VECTOR3 &a, const VECTOR3 &b) {
  return _V(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}
inline double length(const VECTOR3 &a) { return std::sqrt(dot(a, a)); }
inline VECTOR3 unit(const VECTOR3 &a) {
  const double l = length(a);
  return l > 0.0 ? a * (1.0 / l) : _V(0, 0, 0);
}

// A rotation from the vessel frame into the global frame; its columns are the
// vessel's axes seen in the global frame.
struct Rotation {
  double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

  VECTOR3 apply(const VECTOR3 &v) const;       // vessel -> global
  VECTOR3 applyInverse(const VECTOR3 &v) const;  // global -> vessel
  VECTOR3 axis(int i) const { return _V(m[0][i], m[1][i], m[2][i]); }

  // Orientation angles (alpha, beta, gamma): R = Rx(alpha) Ry(beta) Rz(gamma).
  static Rotation fromAngles(const VECTOR3 &angles);
  VECTOR3 toAngles() const;
  // Turns the vessel by the rotation vector `w` given in the vessel frame.
  void turnLocal(const VECTOR3 &w);
  void orthonormalise();
};

}  // namespace host
