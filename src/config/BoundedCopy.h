// Fixed-size text fields are filled only through this copy, which never
// writes past the field and always terminates it.
#pragma once

#include <cstddef>

template <size_t N>
const char *CopyName(char (&field)[N], const char *text) {
  size_t n = 0;
  for (; text != nullptr && n + 1 < N && text[n] != '\0'; ++n) field[n] = text[n];
  field[n] = '\0';
  return field;
}
