#include "config/ShipVariables.h"

#include <cstdio>
#include <strings.h>

#include "config/text/BoundedCopy.h"

namespace {

// Names are compared over this many characters at most.
constexpr size_t kCompareLength = 25;

template <typename T, size_t count>
void RegisterFamily(ShipVariableRegistry &registry, const char *format, int first, T (&values)[count]) {
  char name[kNameSize];
  for (size_t i = 0; i < count; ++i) {
    std::snprintf(name, sizeof name, format, first + static_cast<int>(i));
    registry.RegisterVariable(name, VariableRef::To(values[i]));
  }
}

}  // namespace

void ShipVariableRegistry::RegisterVariable(const char *name, VariableRef variable) {
  ShipVariable record;
  CopyName(record.name, name);
  record.variable = variable;
  variables.push_back(record);
}

void ShipVariableRegistry::RegisterAll(ShipVariableValues &v) {
  RegisterVariable("ALTITUDE", VariableRef::To(v.altitude));
  RegisterVariable("YAW", VariableRef::To(v.yaw));
  RegisterVariable("PITCH", VariableRef::To(v.pitch));
  RegisterVariable("ROLL", VariableRef::To(v.roll));
  RegisterVariable("AVEL", VariableRef::To(v.avel));
  RegisterVariable("AIRPRESS", VariableRef::To(v.airpress));
  RegisterVariable("AIRDENS", VariableRef::To(v.airdens));
  RegisterVariable("MAINTH", VariableRef::To(v.mainth));
  RegisterVariable("HOVERTH", VariableRef::To(v.hoverth));
  RegisterVariable("RETROTH", VariableRef::To(v.retroth));
  RegisterVariable("AOA", VariableRef::To(v.aoa));
  RegisterFamily(*this, "DOCK%d", 0, v.dock);
  RegisterFamily(*this, "FUEL%d", 0, v.fuel);
  RegisterFamily(*this, "RCS%d", 0, v.rcs);
  RegisterFamily(*this, "CUSTOMINT%d", 1, v.customInt);
  RegisterFamily(*this, "CUSTOMDBL%d", 1, v.customDbl);
  RegisterVariable("TOTALMASS", VariableRef::To(v.totalMass));
  RegisterVariable("DVTOGO", VariableRef::To(v.dvToGo));
}

void ShipVariableRegistry::Publish(VariableTable &table) {
  table.LastDeclaredWins();
  for (const ShipVariable &v : variables) table.AddCompared(v.name, v.variable, kCompareLength);
}
