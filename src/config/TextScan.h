// Reading numbers and words out of configuration lines. A value is taken only
// when all of its numbers read, so a bad line leaves what was there before.
#pragma once

#include "config/ConfigText.h"
#include "math/Vec3.h"

// A word buffer that any word of a configuration line fits into.
typedef char LineWord[kConfigLineSize];

// " <x y z>" (blanks before "<" optional).
bool ScanVector(const char *text, Vec3 &v);
// Several " <x y z>" one after the other.
bool ScanVectors(const char *text, Vec3 *vectors, int count);
// The text from the 0-based column on, or "" for a shorter line: for the
// formats that read from a fixed character whatever the line starts with.
const char *FromColumn(const char *line, size_t column);
