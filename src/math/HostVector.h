// Vec3 to and from the host's own vector type, at the module's boundary.
#pragma once

#include <Orbitersdk.h>

#include "math/Vec3.h"

inline VECTOR3 ToHost(const Vec3 &v) { return _V(v.x, v.y, v.z); }
inline Vec3 FromHost(const VECTOR3 &v) { return Vec3(v.x, v.y, v.z); }
