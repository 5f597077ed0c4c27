#include "config/ShipVariables.h"

#include <cstdio>
#include <strings.h>

#include "config/BoundedCopy.h"

namespace {

// Names are compared over this many characters at most.
constexpr size_t kCompareLength = 25;

void RegisterFamily(ShipVariableRegistry &registry, const char *format, int first, int count,
                    void *values, size_t elementSize) {
  char name[kNameSize];
  for (int i = 0; i < count; ++i) {
    std::snprintf(name, sizeof name, format, first + i);
    registry.Register(name, static_cast<char *>(values) + i * elementSize);
  }
}

}  // namespace

ShipVariableRegistry::~ShipVariableRegistry() {
  while (head != nullptr) {
    ShipVariable *next = head->next;
    delete head;
    head = next;
  }
}

void ShipVariableRegistry::Register(const char *name, void *address) {
  ShipVariable *record = new ShipVariable;
  CopyName(record->name, name);
  record->address = address;
  record->next = head;
  head = record;
}

void ShipVariableRegistry::RegisterAll(ShipVariableValues &v) {
  Register("ALTITUDE", &v.altitude);
  Register("YAW", &v.yaw);
  Register("PITCH", &v.pitch);
  Register("ROLL", &v.roll);
  Register("AVEL", &v.avel);
  Register("AIRPRESS", &v.airpress);
  Register("AIRDENS", &v.airdens);
  Register("MAINTH", &v.mainth);
  Register("HOVERTH", &v.hoverth);
  Register("RETROTH", &v.retroth);
  Register("AOA", &v.aoa);
  RegisterFamily(*this, "DOCK%d", 0, 6, v.dock, sizeof(double));
  RegisterFamily(*this, "FUEL%d", 0, 6, v.fuel, sizeof(double));
  RegisterFamily(*this, "RCS%d", 0, 20, v.rcs, sizeof(double));
  RegisterFamily(*this, "CUSTOMINT%d", 1, 5, v.customInt, sizeof(int32_t));
  RegisterFamily(*this, "CUSTOMDBL%d", 1, 5, v.customDbl, sizeof(double));
  Register("TOTALMASS", &v.totalMass);
  Register("DVTOGO", &v.dvToGo);
}

void *ShipVariableRegistry::Find(const char *name) const {
  for (const ShipVariable *v = head; v != nullptr; v = v->next) {
    if (strncasecmp(v->name, name, kCompareLength) == 0) return v->address;
  }
  return nullptr;
}
