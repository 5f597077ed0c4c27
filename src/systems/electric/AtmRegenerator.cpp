#include "systems/electric/AtmRegenerator.h"

#include <initializer_list>

#include "config/text/Keywords.h"
#include "systems/PlantSketch.h"
#include "systems/fluid/FluidTank.h"

namespace {

constexpr float kRegeneratorDraw = 5.0f;
constexpr double kMinimumVoltage = 28.0;

}  // namespace

AtmRegenerator::AtmRegenerator(const char *regeneratorName, int32_t configuredSwitch,
                               ElectricObject *regeneratorSource, double pumpHead, FluidValve *from, FluidValve *to)
    : SwitchedConsumer(regeneratorName, 2 * configuredSwitch - 1, regeneratorSource, kRegeneratorDraw),
      head(pumpHead),
      inlet(from),
      outlet(to) {}

void AtmRegenerator::Refresh(double dt) {
  if (mode < 0) {
    on = 0;
    draw.Stop(source);
    return;
  }
  on = 1;
  draw.Start(source);
  if (draw.drawing && source != nullptr && source->voltage < kMinimumVoltage) {
    on = 0;
    return;
  }
  Scrub(dt);
}

// What is scrubbed out is discarded.
void AtmRegenerator::Scrub(double dt) {
  if (inlet == nullptr) return;
  double rate = inlet->Pressure() - (outlet != nullptr ? outlet->Pressure() : 0.0) + head;
  if (rate < 0) rate = 0;
  FluidContents gas = inlet->Take(rate * dt);
  for (int type : {CO2, H2O}) {
    Substance &s = gas.substances[type];
    s.mass = s.energy = s.vapourMass = 0.0;
  }
  gas.TotalMass();
  gas.TotalEnergy();
  if (outlet != nullptr) outlet->Put(gas);
}

void AtmRegenerator::DropReference(SystemObject *object) {
  SwitchedConsumer::DropReference(object);
  if (inlet != nullptr && inlet->owner == object) inlet = nullptr;
  if (outlet != nullptr && outlet->owner == object) outlet = nullptr;
}

void AtmRegenerator::Record(ScenarioRecord &record) { record.Int(mode).Int(draw.drawing); }

void AtmRegenerator::Sketch(PlantSketch &sketch) const {
  sketch.kind = "regenerator";
  sketch.Link("source", source, true);
  sketch.Port("inlet", inlet, true);
  sketch.Port("outlet", outlet, false);
}
