// Fixed-size text fields are filled only through these copies, which never
// write past the field and always terminate it.
#pragma once

#include <cstddef>
#include <cstring>

template <size_t N>
void CopyName(char (&field)[N], const char *text) {
  if (text == nullptr) text = "";
  std::strncpy(field, text, N - 1);
  field[N - 1] = '\0';
}
