// A source whose voltage the test sets, counting what is registered with it.
#pragma once

#include "systems/electric/ElectricObject.h"

class Supply : public ElectricObject {
 public:
  explicit Supply(double volts) : ElectricObject("SUPPLY") { voltage = volts; }
  void AddLoad(float amps) override { load += amps; }
  void RemoveLoad(float amps) override { load -= amps; }
  double load = 0;
};
