#include "math/Vec3.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Vec3, DefaultIsZeroAndLengthIsExactForPythagoreanTriples) {
  const Vec3 zero;
  EXPECT_EQ(zero.x, 0.0);
  EXPECT_EQ(zero.y, 0.0);
  EXPECT_EQ(zero.z, 0.0);
  const Vec3 v(1, 2, 2);
  EXPECT_EQ(v.SquaredLength(), 9.0);
  EXPECT_EQ(v.Length(), 3.0);
}

TEST(Vec3, LengthGoesThroughSinglePrecision) {
  // 1 + 1e-9 squared is not representable as a float: the length rounds to 1.
  const Vec3 v(1.0 + 1e-9, 0, 0);
  EXPECT_EQ(v.Length(), 1.0);
  EXPECT_NE(std::sqrt(v.SquaredLength()), 1.0);
  // Only the squared length is rounded: the root of the float 3 is taken in
  // double, not rounded to single precision again.
  EXPECT_EQ(Vec3(1, 1, 1).Length(), 1.7320508075688772);
}

TEST(Vec3, CrossDotAndComponentwiseOperations) {
  // u x v is orthogonal to both, |u x v|^2 = |u|^2 |v|^2 - (u . v)^2, and the
  // basis is right-handed.
  const Vec3 u(1, 2, 3), v(-4, 5, 0.5), c = Cross(u, v);
  EXPECT_EQ(Dot(c, u), 0.0);
  EXPECT_EQ(Dot(c, v), 0.0);
  EXPECT_EQ(Dot(c, c), Dot(u, u) * Dot(v, v) - Dot(u, v) * Dot(u, v));
  EXPECT_EQ(Cross(Vec3(1, 0, 0), Vec3(0, 1, 0)).z, 1.0);
  EXPECT_EQ(Dot(Vec3(1, 2, 3), Vec3(4, -5, 6)), 12.0);
  const Vec3 q = Vec3(6, 8, 9) / Vec3(2, 4, 3);
  EXPECT_EQ(q.x, 3.0);
  EXPECT_EQ(q.y, 2.0);
  EXPECT_EQ(q.z, 3.0);
  const Vec3 half = Vec3(2, 4, 6) / 2.0;
  EXPECT_EQ(half.x + half.y + half.z, 6.0);
  Vec3 a(1, 2, 3);
  a += 1.0;
  a *= 2.0;
  a -= Vec3(4, 6, 8);
  EXPECT_EQ(a.x, 0.0);
  EXPECT_EQ(a.y, 0.0);
  EXPECT_EQ(a.z, 0.0);
  const Vec3 n = -(Vec3(1, -2, 3) - 1.0);
  EXPECT_EQ(n.x, 0.0);
  EXPECT_EQ(n.y, 3.0);
  EXPECT_EQ(n.z, -2.0);
  EXPECT_EQ(Distance(Vec3(1, 1, 1), Vec3(4, 5, 1)), 5.0);
}

TEST(Vec3, NormalisingScalesByTheReciprocalLength) {
  const Vec3 n = Vec3(3, 0, 4).Normalised();
  EXPECT_NEAR(n.x, 0.6, 1e-7);
  EXPECT_EQ(n.y, 0.0);
  EXPECT_NEAR(n.z, 0.8, 1e-7);
  Vec3 m(0, 0, 2);
  m.Normalise();
  EXPECT_EQ(m.z, 1.0);
}

TEST(Vec3, ZeroVectorNormalisesToZeroWithoutNaN) {
  const Vec3 n = Vec3().Normalised();
  EXPECT_EQ(n.x, 0.0);
  EXPECT_EQ(n.y, 0.0);
  EXPECT_EQ(n.z, 0.0);
}
