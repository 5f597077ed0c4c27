// The vessel's electric objects, in configuration order. Their references may
// also name fluid objects.
#pragma once

#include "systems/SystemList.h"

class HydraulicSystem;
class ThermalModel;

class ElectricSystem : public SystemList {
 public:
  ElectricSystem(ThermalModel *model, HydraulicSystem *fluids) : thermal(model), hydraulic(fluids) {}

  // "NOPOWER" is no source, without a log entry; "HYDRAULIC:..." goes to the
  // fluid list; anything else to this list.
  void *ResolveReference(const char *text) override;

  ThermalModel *thermal;
  HydraulicSystem *hydraulic;
};
