// Fixed-size text fields are filled only through this copy, which never
// writes past the field and always terminates it.
#pragma once

#include <cstddef>
#include <string>

#include "config/text/Diagnostics.h"

// A text cut to fit its field is a finding for an author's check, when
// `findings` are kept.
template <size_t N>
const char *CopyName(char (&field)[N], const char *text, Diagnostics *findings = nullptr) {
  size_t n = 0;
  for (; text != nullptr && n + 1 < N && text[n] != '\0'; ++n) field[n] = text[n];
  field[n] = '\0';
  if (text != nullptr && text[n] != '\0' && findings != nullptr) findings->ReportCutName(text, field, N - 1);
  return field;
}
