// What a class file gives an instrument, by name. A class keeps its
// keywords' numbers in shared numbered slots (a later keyword writing a slot
// an earlier one wrote wins, whatever the kind); a look's `Of` is the one
// place that knows which slot holds what. Every kind has the area look here;
// a kind's own look is declared with the kind.
#pragma once

#include <cstdint>

struct InstrumentClass;

// Every kind: SIZE and BITMAP.
struct AreaLook {
  int32_t width, height, bitmap;
  static AreaLook Of(const InstrumentClass &c);
};
