#include "config/text/TextScan.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "config/text/Diagnostics.h"

bool ScanVectors(const char *text, Vec3 *vectors, int count, Diagnostics *findings) {
  Vec3 read[3];
  if (count < 1 || count > 3 || text == nullptr) return false;
  int used = 0;
  for (int i = 0; i < count; ++i) {
    int length = 0;
    if (std::sscanf(text + used, " <%lf %lf %lf%n", &read[i].x, &read[i].y, &read[i].z, &length) != 3) {
      if (findings != nullptr)
        findings->Report("\"" + std::string(text + std::strspn(text, " ")) + "\" is not " + std::to_string(count) +
                         " vector" + (count == 1 ? "" : "s") + " <x y z>: the value before is kept");
      return false;
    }
    used += length;
    if (text[used] == '>') ++used;
  }
  for (int i = 0; i < count; ++i) vectors[i] = read[i];
  return true;
}

bool ScanVector(const char *text, Vec3 &v, Diagnostics *findings) { return ScanVectors(text, &v, 1, findings); }

namespace {

// " %<width>s%n", the width the LineWord's, less its terminator.
const std::string kWordFormat = " %" + std::to_string(kConfigLineSize - 1) + "s%n";

}  // namespace

template <typename T>
Fields &Fields::Scan(const char *format, T *value) {
  int used = 0;
  if (!ended && std::sscanf(at, format, value, &used) == 1) {
    at += used;
    ++count;
  } else {
    EndScan();
  }
  return *this;
}

// A field that does not read ends the scan. A word where a number belongs is
// an author's mistake (the field keeps what it held); the end of the line,
// where optional fields begin, is none.
void Fields::EndScan() {
  if (!ended && diagnostics != nullptr && diagnostics->FindingsWanted()) {
    LineWord word = "";
    int used = 0;
    std::sscanf(at, kWordFormat.c_str(), word, &used);
    if (word[0] != '\0')
      diagnostics->Report("number \"" + std::string(word) + "\" does not read: the value before is kept");
  }
  ended = true;
}

Fields &Fields::operator>>(LineWord &word) { return Scan(kWordFormat.c_str(), word); }
// strtoll with base 0 reads what "%i" reads: blanks, a sign, and a decimal,
// octal ("0") or hexadecimal ("0x") number.
Fields &Fields::operator>>(int &value) {
  char *end = nullptr;
  const long long read = ended ? 0 : std::strtoll(at, &end, 0);
  if (ended || end == at) {
    EndScan();
    return *this;
  }
  value =
      static_cast<int>(std::clamp<long long>(read, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
  at = end;
  ++count;
  return *this;
}
Fields &Fields::operator>>(double &value) { return Scan(" %lf%n", &value); }
Fields &Fields::operator>>(Vec3 &v) {
  double *const xyz[] = {&v.x, &v.y, &v.z};
  return Bracketed(xyz, 3);
}

Fields &Fields::Pair(double &a, double &b) {
  double *const ab[] = {&a, &b};
  return Bracketed(ab, 2);
}

// Each number read is kept, as scanf keeps it, even when a later one or the
// closing ">" is missing; a bracket opened but not read to its end is an
// author's mistake, and the fields after it are not read.
Fields &Fields::Bracketed(double *const *values, int n) {
  const char *p = at;
  while (!ended && std::isspace(static_cast<unsigned char>(*p))) ++p;
  ended = ended || *p != '<';
  if (ended) return *this;
  const char *opening = p++;
  for (int i = 0; i < n && !ended; ++i) {
    int used = 0;
    ended = std::sscanf(p, " %lf%n", values[i], &used) != 1;
    if (!ended) {
      p += used;
      ++count;
    }
  }
  ended = ended || *p != '>';
  if (!ended) {
    at = p + 1;
  } else if (diagnostics != nullptr && diagnostics->FindingsWanted()) {
    const char *closing = std::strchr(opening, '>');
    const std::string written(opening, closing != nullptr ? closing + 1 : opening + std::strlen(opening));
    diagnostics->Report("\"" + written + "\" is not " + std::to_string(n) + " numbers in <>: the numbers before the " +
                        "mistake are kept, the rest of the line is not read");
  }
  return *this;
}

const char *FromColumn(const char *line, size_t column) {
  return line != nullptr && std::strlen(line) >= column ? line + column : "";
}
