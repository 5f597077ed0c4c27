// A number written into the scenario in the shortest form that reads back as
// the same double, so a saved mass restores to the last bit.
#pragma once

#include <charconv>

struct ExactNumber {
  explicit ExactNumber(double value) { *std::to_chars(text, text + sizeof text - 1, value).ptr = '\0'; }
  char text[32];
};
