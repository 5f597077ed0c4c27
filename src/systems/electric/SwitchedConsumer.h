// An electric consumer switched by its mode: while it is on it draws a fixed
// current from its source.
#pragma once

#include "systems/electric/ElectricObject.h"

class SwitchedConsumer : public ElectricObject {
 public:
  SwitchedConsumer(const char *consumerName, int32_t consumerMode, ElectricObject *consumerSource, float amps);
  // A consumer that goes withdraws its draw from its source.
  ~SwitchedConsumer() override { draw.Stop(source); }

  // A removed source is forgotten, and the draw registered with it.
  void DropReference(SystemObject *object) override;

  int32_t mode;
  double on;
  SourceDraw draw;

 protected:
  // "PUMP" (the mode) and "ISON", in place of the common names.
  void Publish(VariableTable &table) override;
};
