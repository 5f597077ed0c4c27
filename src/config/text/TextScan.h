// Reading numbers and words out of configuration lines. A value is taken only
// when all of its numbers read, so a bad line leaves what was there before.
#pragma once

#include <cstddef>

#include "config/text/Sizes.h"
#include "math/Vec3.h"

class Diagnostics;

// A word buffer that any word of a configuration line fits into.
typedef char LineWord[kConfigLineSize];

// A line's fields read in order, as the files' scanf formats read them: each
// field passes over the blanks before it, a word runs to the next blank (into
// a LineWord, so no word is ever cut or overruns), a number is read as "%i" or
// "%lf". A vector is "<x y z>": all three numbers or none, the closing ">"
// optional. The first field that does not read ends the scan; `Count` says
// how many fields were read, a vector's numbers counting one each, as scanf
// counts them. An integer beyond the range of int is read as the nearest end
// of the range, as the host's 32-bit runtime reads it on every platform.
class Fields {
 public:
  // A field that does not read is reported to `findings`, when given.
  explicit Fields(const char *text, Diagnostics *findings = nullptr)
      : at(text != nullptr ? text : ""), diagnostics(findings) {}
  Fields &operator>>(LineWord &word);
  Fields &operator>>(int &value);
  Fields &operator>>(double &value);
  Fields &operator>>(Vec3 &v);
  // Two numbers in angle brackets, "<a b>".
  Fields &Pair(double &a, double &b);
  int Count() const { return count; }
  // The text after the fields read.
  const char *Rest() const { return at; }

 private:
  // `n` numbers in angle brackets, `what` they are, for a finding.
  Fields &Bracketed(double *const *values, int n, const char *what);
  // Counts a field read, or ends the scan at one that did not read.
  Fields &Took(bool read);
  void EndScan();

  const char *at;
  Diagnostics *diagnostics;
  int count = 0;
  bool ended = false;
};

// " <x y z>" (blanks before "<" optional), read as Fields reads a vector.
bool ScanVector(const char *text, Vec3 &v, Diagnostics *findings = nullptr);
// Several " <x y z>" one after the other: all of them, or none.
bool ScanVectors(const char *text, Vec3 *vectors, int count, Diagnostics *findings = nullptr);
// The text from the 0-based column on, or "" for a shorter line: for the
// formats that read from a fixed character whatever the line starts with.
const char *FromColumn(const char *line, size_t column);
