#include "systems/fluid/FluidPipe.h"

#include "systems/fluid/FluidTank.h"

FluidPipe::FluidPipe(const char *pipeName, FluidValve *from, FluidValve *to, PipeKind pipeKind,
                     double firstSetting, double secondSetting, bool bothWays)
    : FluidObject(pipeName),
      kind(pipeKind),
      twoWay(bothWays ? 1 : 0),
      setting1(firstSetting),
      setting2(secondSetting),
      source(from),
      destination(to) {}

void FluidPipe::DropReference(SystemObject *object) {
  if (source != nullptr && source->owner == object) source = nullptr;
  if (destination != nullptr && destination->owner == object) destination = nullptr;
}

void FluidPipe::Refresh(double dt) {
  if (source == nullptr || destination == nullptr || !source->open || !destination->open) return;
  double sourcePressure = source->Pressure();
  const double destinationPressure = destination->Pressure();
  switch (kind) {
    case kRegulatorPipe:
      if (sourcePressure > setting1) sourcePressure = setting1;
      break;
    case kBurstPipe:
      if (sourcePressure - destinationPressure > setting1) burstOpen = 1;
      if (sourcePressure - destinationPressure < setting2) burstOpen = 0;
      if (!burstOpen) return;
      break;
    case kWallPipe:
      MoveWall(sourcePressure, destinationPressure, dt);
      return;
    default:
      break;
  }
  Flow(sourcePressure, destinationPressure, dt);
  ConductHeat(dt);
}

// The wall gives way once the pressure on one side exceeds the other's by
// setting 1; it only moves back while the destination is larger than built.
void FluidPipe::MoveWall(double sourcePressure, double destinationPressure, double dt) {
  FluidContents &from = source->owner->contents;
  FluidContents &to = destination->owner->contents;
  if (sourcePressure - setting1 > destinationPressure) {
    double dV = ((sourcePressure - setting1) - destinationPressure) * dt * source->flowSize / 1000;
    if (dV > kMaxTakeVolume) dV = kMaxTakeVolume;
    if (to.volume > dV) {
      to.volume -= dV;
      from.volume += dV;
    }
  }
  if (twoWay && destinationPressure - setting1 > sourcePressure &&
      to.volume > destination->owner->configuredVolume) {
    double dV = ((destinationPressure - setting1) - sourcePressure) * dt * source->flowSize / 1000;
    if (dV > kMaxTakeVolume) dV = kMaxTakeVolume;
    if (from.volume > dV) {
      to.volume += dV;
      from.volume -= dV;
    }
  }
}

void FluidPipe::Flow(double sourcePressure, double destinationPressure, double dt) {
  if (sourcePressure > destinationPressure)
    destination->Put(source->Take((sourcePressure - destinationPressure) * dt));
  if (twoWay && source->Pressure() < destinationPressure)
    source->Put(destination->Take((destinationPressure - sourcePressure) * dt));
}

// A conductance of 1 W/K; neither side gives more than a tenth of its energy
// when it has less than the step would move.
void FluidPipe::ConductHeat(double dt) {
  double q = (source->Temperature() - destination->Temperature()) * dt;
  const double sourceEnergy = source->owner->contents.energy;
  const double destinationEnergy = destination->owner->contents.energy;
  if (sourceEnergy < q) q = sourceEnergy / 10;
  if (-q > destinationEnergy) q = -destinationEnergy / 10;
  source->Heat(-q);
  destination->Heat(q);
}
