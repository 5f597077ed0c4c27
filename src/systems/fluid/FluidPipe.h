// A pipe between two tank ports that moves contents and conducts heat each
// step: plain, pressure regulator, burst disc, or a movable wall.
#pragma once

#include <cstdint>

#include "systems/fluid/FluidObject.h"
#include "systems/fluid/FluidTank.h"

enum PipeKind : int32_t { kPlainPipe = 0, kRegulatorPipe = 1, kBurstPipe = 2, kWallPipe = 3 };

class FluidPipe : public FluidObject {
 public:
  FluidPipe(const char *pipeName, FluidValve *from, FluidValve *to, PipeKind pipeKind, double firstSetting,
            double secondSetting, bool bothWays);

  void Refresh(double dt) override;
  void DropReference(SystemObject *object) override;
  void Sketch(PlantSketch &sketch) const override;

  int32_t kind;
  int32_t twoWay;
  double setting1;  // Pa: regulated pressure, burst difference or wall holding
  double setting2;  // Pa: the difference below which a burst disc closes
  int32_t burstOpen = 0;
  double flow = 0.0;  // g/s from source to destination in the last step; 0 for a wall
  FluidValve *source;
  FluidValve *destination;

 protected:
  void Publish(VariableTable &table) override;

 private:
  void MoveWall(double sourcePressure, double destinationPressure, double dt);
  void Flow(double sourcePressure, double destinationPressure, double dt);
  void ConductHeat(double dt);
};
