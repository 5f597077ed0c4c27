// A tank's IN or OUT port: what pipes and devices connect to. It opens and
// closes with a delay, and while closed nothing passes.
#pragma once

#include <cstdint>

#include "config/VariableRef.h"
#include "systems/VariableTable.h"
#include "systems/fluid/FluidContents.h"

class FluidTank;

// The flow coefficient of every tank port.
constexpr float kPortFlowSize = 0.001f;
// The most a port lets through in one step, L.
constexpr double kMaxTakeVolume = 0.005;

class FluidValve {
 public:
  explicit FluidValve(FluidTank *tank) : owner(tank) {}

  // 0 while closed, else the tank's pressure.
  double Pressure() const;
  double Temperature() const;
  void Heat(double q);
  // Hands a parcel to the tank; a closed valve drops it.
  void Put(const FluidContents &parcel);
  // Takes size x `x` / 1000 L (at most 0.005 L) of the tank's contents;
  // nothing while closed.
  FluidContents Take(double x);
  // Runs a pending open or close command down to completion.
  void Refresh(double dt);
  // "OPEN" (the command), "PZ" (the timer, whole name only), "ISOPEN".
  VariableRef ResolveVariable(const char *keyword, Diagnostics &diagnostics);
  void Publish(VariableTable &table);

  FluidTank *owner;
  int32_t open = 0;
  float actuationTimer = 0.0f;  // > 0 opening, < 0 closing
  int32_t pendingCommand = 0;   // n > 0 opens after n s, n < 0 closes after -n s
  float flowSize = kPortFlowSize;
};
