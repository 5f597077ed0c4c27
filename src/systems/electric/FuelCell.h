// A fuel cell: oxygen and hydrogen from two tanks become water into a third,
// heat in its own body and 28.8 V at the current its consumers registered.
// It starts on command, and running on an unbalanced mixture degrades it.
#pragma once

#include "systems/electric/PowerSource.h"

class FluidValve;

enum FuelCellState : int32_t { kCellRunning = 0, kCellStarting = 1, kCellOff = 2, kCellPurging = 3 };

class FuelCell : public PowerSource {
 public:
  FuelCell(const char *cellName, const Vec3 &place, FluidValve *oxygen, FluidValve *hydrogen, FluidValve *water,
           float rated);

  void Refresh(double dt) override;
  void DropReference(SystemObject *object) override;
  void Sketch(PlantSketch &sketch) const override;

  FluidValve *oxygenInput;
  FluidValve *hydrogenInput;
  FluidValve *waterOutput;
  float ratedCurrent;
  double dph = 0.0;
  float reactionLevel = 0.0f;
  double demand = 0.0;
  double oxygenUsed = 0.0;
  double hydrogenUsed = 0.0;
  int32_t startCommand = 0;
  int32_t purgeCommand = -1;
  int32_t state = kCellOff;
  double running = 0.0;

 protected:
  void Publish(VariableTable &table) override;
  const char *RecordTag() const override { return "    <FCELL> "; }
  void Record(ScenarioRecord &record) override;
  void Restored() override;

 private:
  void React(double dt, double factor);
  void DeliverWater();
  // The share of the rated current asked for, and the voltage the cell can
  // hold at it; false when the cell is too degraded to deliver at all.
  bool DemandFactor(double &factor, double &nominalVoltage) const;
  void RunningStep(double dt, double demandScale);
};
