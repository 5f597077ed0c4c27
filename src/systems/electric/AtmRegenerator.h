// Pumps gas from one tank to another and scrubs all carbon dioxide and water
// out of it on the way.
#pragma once

#include "systems/electric/SwitchedConsumer.h"

class FluidValve;

class AtmRegenerator : public SwitchedConsumer {
 public:
  // `configuredSwitch` 0 is off, 1 on.
  AtmRegenerator(const char *regeneratorName, int32_t configuredSwitch, ElectricObject *regeneratorSource,
                 double pumpHead, FluidValve *from, FluidValve *to);

  void Refresh(double dt) override;
  void DropReference(SystemObject *object) override;
  void Sketch(PlantSketch &sketch) const override;

  // Its mode: negative is off, anything else on.
  double head;    // Pa added to the inlet-minus-outlet difference
  FluidValve *inlet;
  FluidValve *outlet;

 protected:
  const char *RecordTag() const override { return "    <ATMREGEN> "; }
  void Record(ScenarioRecord &record) override;

 private:
  void Scrub(double dt);
};
