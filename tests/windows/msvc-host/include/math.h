// The maths the SDK's inline functions call, from Wine's msvcrt.dll.
#pragma once

extern "C" {
double sqrt(double x);
double sin(double x);
double cos(double x);
double fmod(double x, double y);
}
