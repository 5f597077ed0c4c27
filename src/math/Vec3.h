// The one geometric value type: positions, directions, velocities and offsets.
#pragma once

struct Vec3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  Vec3() = default;
  Vec3(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}

  Vec3 &operator+=(const Vec3 &b);
  Vec3 &operator-=(const Vec3 &b);
  Vec3 &operator*=(const Vec3 &b);
  Vec3 &operator/=(const Vec3 &b);
  Vec3 &operator+=(double s);
  Vec3 &operator-=(double s);
  Vec3 &operator*=(double s);
  Vec3 &operator/=(double s);

  double SquaredLength() const;
  // The squared length passes through single precision before the root.
  double Length() const;
  Vec3 Normalised() const;
  Vec3 &Normalise();
};

Vec3 MakeVec3(double x, double y, double z);

Vec3 operator-(const Vec3 &a, const Vec3 &b);
Vec3 operator+(const Vec3 &a, const Vec3 &b);
Vec3 operator/(const Vec3 &a, const Vec3 &b);
Vec3 operator+(const Vec3 &a, double s);
Vec3 operator-(const Vec3 &a, double s);
Vec3 operator*(const Vec3 &a, double s);
Vec3 operator/(const Vec3 &a, double s);
Vec3 operator-(const Vec3 &a);

Vec3 Cross(const Vec3 &a, const Vec3 &b);
double Dot(const Vec3 &a, const Vec3 &b);
double Distance(const Vec3 &a, const Vec3 &b);
