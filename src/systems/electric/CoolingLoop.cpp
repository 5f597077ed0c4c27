#include "systems/electric/CoolingLoop.h"

#include "config/text/Keywords.h"
#include "systems/PlantSketch.h"
#include "systems/ThermalBody.h"

namespace {

constexpr float kPumpDraw = 8.3f;
constexpr double kMinimumVoltage = 28.0;

}  // namespace

CoolingLoop::CoolingLoop(const char *loopName, int32_t pumpMode, ElectricObject *loopSource, double heatCapacity,
                         double lowerSetPoint, double upperSetPoint)
    : SwitchedConsumer(loopName, pumpMode, loopSource, kPumpDraw),
      minT(lowerSetPoint),
      maxT(upperSetPoint),
      capacity(heatCapacity) {}

bool CoolingLoop::AddBody(SystemObject *owner, ThermalBody *body, double coefficient) {
  if (bodyCount == kMaxLoopBodies) return false;
  bodies[bodyCount++] = RingBody{owner, body, coefficient};
  return true;
}

void CoolingLoop::Refresh(double dt) {
  if (minRate != 0) minT += minRate / 10.0 * dt;
  if (maxRate != 0) maxT += maxRate / 10.0 * dt;
  Thermostat();
  if (on != 0) {
    draw.Start(source);
    if (draw.drawing && source != nullptr && source->voltage < kMinimumVoltage) {
      on = 0;
      return;
    }
    Exchange(dt);
  } else {
    draw.Stop(source);
  }
}

// Automatic mode keeps its state between the set points, and without a
// first body to read.
void CoolingLoop::Thermostat() {
  if (mode == kPumpOff) on = 0;
  if (mode == kPumpForcedOn) on = 1;
  if (mode != kPumpAutomatic || bodyCount == 0) return;
  const double t0 = bodies[0].body->temperature;
  if (t0 < minT) on = 0;
  if (t0 > maxT) on = 1;
}

// Each neighbour pair, then the last and the first: heat goes from the
// warmer of a pair to the colder.
void CoolingLoop::Exchange(double dt) {
  if (bodyCount < 2) return;
  for (int i = 0; i + 1 < bodyCount; ++i) {
    const double q =
        (bodies[i + 1].body->temperature - bodies[i].body->temperature) * bodies[i].coefficient * dt * capacity;
    bodies[i].body->AddHeat(q);
    bodies[i + 1].body->AddHeat(-q);
  }
  RingBody &first = bodies[0];
  RingBody &last = bodies[bodyCount - 1];
  const double q = (last.body->temperature - first.body->temperature) * last.coefficient * dt * capacity;
  first.body->AddHeat(q);
  last.body->AddHeat(-q);
}

void CoolingLoop::DropReference(SystemObject *object) {
  SwitchedConsumer::DropReference(object);
  int kept = 0;
  for (int i = 0; i < bodyCount; ++i)
    if (bodies[i].owner != object) bodies[kept++] = bodies[i];
  bodyCount = kept;
}

void CoolingLoop::Publish(VariableTable &table) {
  SwitchedConsumer::Publish(table);
  table.Add("HMAX", maxRate).Add("HMIN", minRate).Add("MAXT", maxT).Add("MINT", minT);
}

void CoolingLoop::Record(ScenarioRecord &record) { record.Int(mode).Int(draw.drawing).Real(maxT).Real(minT); }

void CoolingLoop::Sketch(PlantSketch &sketch) const {
  sketch.kind = "cooling loop";
  sketch.Link("source", source, true);
  for (int i = 0; i < bodyCount; ++i) sketch.Link("body", bodies[i].owner, false);
}
