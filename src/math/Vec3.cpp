#include "math/Vec3.h"

#include <cmath>

Vec3 &Vec3::operator+=(const Vec3 &b) {
  x += b.x;
  y += b.y;
  z += b.z;
  return *this;
}

Vec3 &Vec3::operator-=(const Vec3 &b) {
  x -= b.x;
  y -= b.y;
  z -= b.z;
  return *this;
}

Vec3 &Vec3::operator*=(const Vec3 &b) {
  x *= b.x;
  y *= b.y;
  z *= b.z;
  return *this;
}

Vec3 &Vec3::operator/=(const Vec3 &b) {
  x /= b.x;
  y /= b.y;
  z /= b.z;
  return *this;
}

Vec3 &Vec3::operator+=(double s) {
  x += s;
  y += s;
  z += s;
  return *this;
}

Vec3 &Vec3::operator-=(double s) {
  x -= s;
  y -= s;
  z -= s;
  return *this;
}

Vec3 &Vec3::operator*=(double s) {
  x *= s;
  y *= s;
  z *= s;
  return *this;
}

Vec3 &Vec3::operator/=(double s) {
  x /= s;
  y /= s;
  z /= s;
  return *this;
}

double Vec3::SquaredLength() const { return x * x + y * y + z * z; }

// The squared length is rounded to single precision once; its root is taken
// in double, so the root itself is not rounded a second time.
double Vec3::Length() const {
  const float squared = static_cast<float>(SquaredLength());
  return std::sqrt(static_cast<double>(squared));
}

Vec3 Vec3::Normalised() const {
  Vec3 copy = *this;
  return copy.Normalise();
}

// A zero vector has no direction: it stays zero instead of turning into NaNs
// that would spread through the thermal and vent geometry.
Vec3 &Vec3::Normalise() {
  const double length = Length();
  if (length > 0.0) *this *= 1.0 / length;
  return *this;
}

Vec3 MakeVec3(double x, double y, double z) { return Vec3(x, y, z); }

Vec3 operator-(const Vec3 &a, const Vec3 &b) { return Vec3(a.x - b.x, a.y - b.y, a.z - b.z); }
Vec3 operator+(const Vec3 &a, const Vec3 &b) { return Vec3(a.x + b.x, a.y + b.y, a.z + b.z); }
Vec3 operator/(const Vec3 &a, const Vec3 &b) { return Vec3(a.x / b.x, a.y / b.y, a.z / b.z); }
Vec3 operator+(const Vec3 &a, double s) { return Vec3(a.x + s, a.y + s, a.z + s); }
Vec3 operator-(const Vec3 &a, double s) { return Vec3(a.x - s, a.y - s, a.z - s); }
Vec3 operator*(const Vec3 &a, double s) { return Vec3(a.x * s, a.y * s, a.z * s); }
Vec3 operator/(const Vec3 &a, double s) { return Vec3(a.x / s, a.y / s, a.z / s); }
Vec3 operator-(const Vec3 &a) { return Vec3(-a.x, -a.y, -a.z); }

Vec3 Cross(const Vec3 &a, const Vec3 &b) {
  return Vec3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

double Dot(const Vec3 &a, const Vec3 &b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

double Distance(const Vec3 &a, const Vec3 &b) { return (a - b).Length(); }
