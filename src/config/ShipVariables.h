// The values the vessel itself publishes, and the registry that finds them by
// name for "SHIP:" references.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/VariableRef.h"
#include "config/VariableTable.h"
#include "config/text/Sizes.h"

// Storage of the 55 ship variables, all 0 until the vessel refreshes them.
struct ShipVariableValues {
  double altitude = 0, yaw = 0, pitch = 0, roll = 0, avel = 0;
  double airpress = 0, airdens = 0;
  double mainth = 0, hoverth = 0, retroth = 0, aoa = 0;
  double dock[6] = {};
  double fuel[6] = {};
  double rcs[20] = {};
  int32_t customInt[5] = {};
  double customDbl[5] = {};
  double totalMass = 0, dvToGo = 0;
};

struct ShipVariable {
  char name[kNameSize];
  VariableRef variable;
};

// A name finds the variable whose name equals it over at most 25
// characters, ignoring case, searched newest first, so the most recently
// registered of two equal names is found; a name that finds none is logged
// (code 1). Listed in registration order.
class ShipVariableRegistry final : public VariablePublisher {
 public:
  void RegisterVariable(const char *name, VariableRef variable);
  // Registers every ship variable of `values` in the published order.
  void RegisterAll(ShipVariableValues &values);

 protected:
  void Publish(VariableTable &table) override;
  int UnknownNameCode() const override { return kInvalidComponent; }

 private:
  std::vector<ShipVariable> variables;
};
