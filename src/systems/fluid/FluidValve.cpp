#include "systems/fluid/FluidValve.h"

#include "systems/VariableTable.h"
#include "systems/fluid/FluidTank.h"

double FluidValve::Pressure() const { return open ? owner->contents.pressure : 0.0; }

double FluidValve::Temperature() const { return owner->temperature; }

void FluidValve::Heat(double q) { owner->AddHeat(q); }

void FluidValve::Put(const FluidContents &parcel) {
  if (open) owner->AcceptInflow(parcel);
}

FluidContents FluidValve::Take(double x) {
  double volume = flowSize * x / 1000;
  if (volume > kMaxTakeVolume) volume = kMaxTakeVolume;
  if (!open) volume = 0;
  return owner->Take(volume);
}

void FluidValve::Refresh(double dt) {
  if (pendingCommand != 0) {
    actuationTimer = static_cast<float>(pendingCommand);
    pendingCommand = 0;
  }
  if (actuationTimer < 0) {
    actuationTimer += dt;
    if (actuationTimer >= 0) {
      actuationTimer = 0;
      open = 0;
    }
  } else if (actuationTimer > 0) {
    actuationTimer -= dt;
    if (actuationTimer <= 0) {
      actuationTimer = 0;
      open = 1;
    }
  }
}

VariableRef FluidValve::ResolveVariable(const char *keyword, Diagnostics &diagnostics) {
  VariableTable table(keyword, diagnostics);
  Publish(table);
  return table.Result(true);
}

void FluidValve::Publish(VariableTable &table) {
  table.Add("OPEN", pendingCommand).AddWhole("PZ", actuationTimer).Add("ISOPEN", open);
}
