#include "systems/SystemObject.h"

#include <cstring>

#include "config/text/ExactNumber.h"
#include "config/text/BoundedCopy.h"
#include "systems/ThermalBody.h"

namespace {

const char *KeptName(const char *objectName) {
  char cut[kNameSize];
  CopyName(cut, objectName);
  const size_t length = std::strlen(cut);
  char *kept = new char[length + 1];
  std::memcpy(kept, cut, length + 1);
  return kept;
}

}  // namespace

SystemObject::SystemObject(const char *objectName) : name(KeptName(objectName)) {}

SystemObject::~SystemObject() { delete[] name; }

std::string SystemObject::Fault() {
  const ThermalBody *body = ThermalPart();
  if (body == nullptr || body->temperature >= 0.0) return "";
  return std::string(name) + " at " + ExactNumber(body->temperature).text + " K: no temperature is below 0 K";
}
