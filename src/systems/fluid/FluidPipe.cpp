#include "systems/fluid/FluidPipe.h"

#include "config/text/ExactNumber.h"
#include "systems/PlantSketch.h"
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
  flow = 0.0;
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
  double moved = 0.0;
  if (sourcePressure > destinationPressure) {
    const FluidContents parcel = source->Take((sourcePressure - destinationPressure) * dt);
    moved += parcel.SumMass();
    destination->Put(parcel);
  }
  if (twoWay && source->Pressure() < destinationPressure) {
    const FluidContents parcel = destination->Take((destinationPressure - sourcePressure) * dt);
    moved -= parcel.SumMass();
    source->Put(parcel);
  }
  if (dt > 0.0) flow = moved / dt;
}

// A burst disc shows whether it is open, and so its state can be kept when
// the vessel is rebuilt.
void FluidPipe::Publish(VariableTable &table) {
  table.Add("FLOW", flow);
  if (kind == kBurstPipe) table.Add("BURST", burstOpen);
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

namespace {

std::string Pascals(double value) { return std::string(ExactNumber(value).text) + " Pa"; }

}  // namespace

// Its kind and setting: "plain", "regulator 101000 Pa", "burst disc 5e+06 /
// 1e+06 Pa", "pressure wall 2000 Pa", each "one-way" when it is.
void FluidPipe::Sketch(PlantSketch &sketch) const {
  sketch.kind = "pipe";
  switch (kind) {
    case kRegulatorPipe:
      sketch.label = "regulator " + Pascals(setting1);
      break;
    case kBurstPipe:
      sketch.label = std::string("burst disc ") + ExactNumber(setting1).text + " / " + Pascals(setting2);
      break;
    case kWallPipe:
      sketch.label = "pressure wall " + Pascals(setting1);
      break;
    default:
      sketch.label = twoWay ? "plain" : "";
      break;
  }
  if (!twoWay) sketch.label += sketch.label.empty() ? "one-way" : ", one-way";
  sketch.Port("source", source, true);
  sketch.Port("destination", destination, false);
}
