// The vessel's fluid objects, in configuration order.
#pragma once

#include "systems/SystemList.h"

class ThermalModel;

class HydraulicSystem : public SystemList {
 public:
  explicit HydraulicSystem(ThermalModel *model) : thermal(model) {}

  ThermalModel *thermal;
};
