#include "HostMath.h"

namespace host {

VECTOR3 Rotation::apply(const VECTOR3 &v) const {
  return _V(m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
            m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
            m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z);
}

VECTOR3 Rotation::applyInverse(const VECTOR3 &v) const {
  return _V(m[0][0] * v.x + m[1][0] * v.y + m[2][0] * v.z,
            m[0][1] * v.x + m[1][1] * v.y + m[2][1] * v.z,
            m[0][2] * v.x + m[1][2] * v.y + m[2][2] * v.z);
}

Rotation Rotation::fromAngles(const VECTOR3 &a) {
  const double ca = std::cos(a.x), sa = std::sin(a.x);
  const double cb = std::cos(a.y), sb = std::sin(a.y);
  const double cg = std::cos(a.z), sg = std::sin(a.z);
  Rotation r;
  r.m[0][0] = cb * cg;
  r.m[0][1] = -cb * sg;
  r.m[0][2] = sb;
  r.m[1][0] = ca * sg + sa * sb * cg;
  r.m[1][1] = ca * cg - sa * sb * sg;
  r.m[1][2] = -sa * cb;
  r.m[2][0] = sa * sg - ca * sb * cg;
  r.m[2][1] = sa * cg + ca * sb * sg;
  r.m[2][2] = ca * cb;
  return r;
}

VECTOR3 Rotation::toAngles() const {
  const double sb = m[0][2] > 1.0 ? 1.0 : (m[0][2] < -1.0 ? -1.0 : m[0][2]);
  return _V(std::atan2(-m[1][2], m[2][2]), std::asin(sb), std::atan2(-m[0][1], m[0][0]));
}

void Rotation::turnLocal(const VECTOR3 &w) {
  const double angle = length(w);
  if (angle <= 0.0) return;
  const VECTOR3 k = w * (1.0 / angle);
  const double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
  // Rodrigues' rotation about k, applied on the vessel side: R' = R * Rk.
  const double rk[3][3] = {
      {t * k.x * k.x + c, t * k.x * k.y - s * k.z, t * k.x * k.z + s * k.y},
      {t * k.x * k.y + s * k.z, t * k.y * k.y + c, t * k.y * k.z - s * k.x},
      {t * k.x * k.z - s * k.y, t * k.y * k.z + s * k.x, t * k.z * k.z + c}};
  double out[3][3];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) out[i][j] = m[i][0] * rk[0][j] + m[i][1] * rk[1][j] + m[i][2] * rk[2][j];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m[i][j] = out[i][j];
  orthonormalise();
}

// Keeps many small turns from slowly skewing the axes.
void Rotation::orthonormalise() {
  VECTOR3 x = unit(axis(0));
  VECTOR3 y = axis(1);
  y = unit(y - x * dot(x, y));
  const VECTOR3 z = cross(x, y);
  const VECTOR3 cols[3] = {x, y, z};
  for (int j = 0; j < 3; ++j) {
    m[0][j] = cols[j].x;
    m[1][j] = cols[j].y;
    m[2][j] = cols[j].z;
  }
}

}  // namespace host
