#include "systems/fluid/FluidCrew.h"

#include "systems/PlantSketch.h"
#include "systems/fluid/FluidTank.h"

namespace {

// Oxygen breathed per person and second, g.
constexpr double kOxygenPerPersonSecond = 0.178;

}  // namespace

FluidCrew::FluidCrew(const char *crewName, int32_t people, FluidTank *cabin)
    : FluidObject(crewName), tank(cabin), crewCount(people) {}

void FluidCrew::DropReference(SystemObject *object) {
  if (object == tank) tank = nullptr;
}

// Each gram of oxygen comes back as a gram of carbon dioxide and a tenth of a
// gram of liquid water; no energy changes hands.
void FluidCrew::Refresh(double dt) {
  double m = crewCount * kOxygenPerPersonSecond * dt;
  if (tank == nullptr || !(m > 0)) return;
  Substance *s = tank->contents.substances;
  if (s[O2].vapourMass < m) m = s[O2].vapourMass;
  s[O2].mass -= m;
  s[O2].vapourMass -= m;
  s[CO2].mass += m;
  s[CO2].vapourMass += m;
  s[H2O].mass += 0.1 * m;
}

void FluidCrew::Sketch(PlantSketch &sketch) const {
  sketch.kind = "crew";
  sketch.label = std::to_string(crewCount) + (crewCount == 1 ? " person" : " people");
  sketch.Link("cabin", tank, true);
}
