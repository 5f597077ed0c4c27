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
// The text after a tag of `tagLength` characters, or "" for a shorter line.
const char *AfterTag(const char *line, size_t tagLength);
