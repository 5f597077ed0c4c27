// Angles as the files give them (degrees) and as the module works (radians).
#pragma once

constexpr double kPi = 3.14159265358979;

constexpr double DegreesToRadians(double degrees) { return degrees * kPi / 180; }
