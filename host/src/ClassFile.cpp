#include "ClassFile.h"

#include <strings.h>

#include <cstdio>
#include <cstring>
#include <sstream>

#include "VesselModel.h"
#include "winpath.h"

namespace host {

namespace {

// "Key = value" split at its first "=", blanks trimmed; false for any other line.
bool splitLine(const char *line, std::string &key, std::string &value) {
  const char *equals = std::strchr(line, '=');
  if (equals == nullptr) return false;
  auto trimmed = [](std::string text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    const size_t last = text.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
  };
  key = trimmed(std::string(line, equals));
  value = trimmed(equals + 1);
  return !key.empty();
}

// Reads `count` numbers into `values`, all or none.
bool readNumbers(const std::string &text, double *values, int count) {
  std::istringstream in(text);
  double read[4];
  for (int i = 0; i < count; ++i)
    if (!(in >> read[i])) return false;
  for (int i = 0; i < count; ++i) values[i] = read[i];
  return true;
}

bool readVector(const std::string &text, VECTOR3 &v) {
  double xyz[3];
  if (!readNumbers(text, xyz, 3)) return false;
  v = _V(xyz[0], xyz[1], xyz[2]);
  return true;
}

void take(ClassFile &file, const std::string &key, const std::string &value) {
  const char *k = key.c_str();
  if (strcasecmp(k, "Module") == 0) {
    file.module = value.substr(0, value.find_first_of(" \t"));
  } else if (strcasecmp(k, "ClassName") == 0) {
    file.className = value;
  } else if (strcasecmp(k, "MeshName") == 0) {
    file.meshName = value;
  } else if (strcasecmp(k, "Mass") == 0) {
    readNumbers(value, &file.mass, 1);
  } else if (strcasecmp(k, "Size") == 0) {
    readNumbers(value, &file.size, 1);
  } else if (strcasecmp(k, "Inertia") == 0) {
    readVector(value, file.inertia);
  } else if (strcasecmp(k, "CW") == 0) {
    readNumbers(value, file.cw, 4);
  } else if (strcasecmp(k, "CrossSections") == 0) {
    readVector(value, file.crossSections);
  } else if (strcasecmp(k, "EnableFocus") == 0) {
    file.enableFocus = strcasecmp(value.c_str(), "FALSE") != 0;
  }
}

}  // namespace

bool ClassFile::read(const std::string &windowsPath, ClassFile &file) {
  FILE *in = OpenWindowsFile(windowsPath.c_str(), "rt");
  if (in == nullptr) return false;
  file = ClassFile();
  char line[512];
  std::string key, value;
  while (std::fgets(line, sizeof line, in) != nullptr) {
    file.lines.emplace_back(line, std::strcspn(line, "\r\n"));
    if (char *comment = std::strchr(line, ';')) *comment = '\0';
    if (splitLine(line, key, value)) take(file, key, value);
  }
  std::fclose(in);
  return true;
}

void ClassFile::applyTo(VesselModel &model) const {
  model.emptyMass = mass;
  model.size = size;
  model.pmi = inertia;
  for (int i = 0; i < 4; ++i) model.cw[i] = cw[i];
  model.crossSections = crossSections;
}

}  // namespace host
