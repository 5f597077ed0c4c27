#include "config/TextScan.h"

#include <cstdio>
#include <cstring>

bool ScanVectors(const char *text, Vec3 *vectors, int count) {
  Vec3 read[3];
  if (count < 1 || count > 3 || text == nullptr) return false;
  int used = 0;
  for (int i = 0; i < count; ++i) {
    int length = 0;
    if (std::sscanf(text + used, " <%lf %lf %lf%n", &read[i].x, &read[i].y, &read[i].z, &length) != 3)
      return false;
    used += length;
    if (text[used] == '>') ++used;
  }
  for (int i = 0; i < count; ++i) vectors[i] = read[i];
  return true;
}

bool ScanVector(const char *text, Vec3 &v) { return ScanVectors(text, &v, 1); }

const char *FromColumn(const char *line, size_t column) {
  return line != nullptr && std::strlen(line) >= column ? line + column : "";
}
