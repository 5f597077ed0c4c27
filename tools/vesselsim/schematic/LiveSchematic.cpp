#include "LiveSchematic.h"

#include "ModuleVessel.h"
#include "SchematicDot.h"

namespace {

// What colours an element of a kind: the object's variable, the key the page
// knows it by, and whether a click on the element watches it.
struct GaugeKind {
  const char *kind;
  const char *variable;
  const char *key;
  bool main;
};

const GaugeKind kGaugeKinds[] = {
    {"tank", "PRESS", "pressure", true},      {"tank", "TEMP", "temperature", true},
    {"tank", "IN:ISOPEN", "in", false},       {"tank", "OUT:ISOPEN", "out", false},
    {"vent", "IN:ISOPEN", "in", false},       {"vent", "OUT:ISOPEN", "out", false},
    {"pipe", "FLOW", "flow", true},           {"radiator", "TEMP", "temperature", true},
    {"fuel cell", "VOLTS", "volts", true},    {"fuel cell", "AMPS", "amps", true},
    {"fuel cell", "TEMP", "temperature", true}, {"fuel cell", "DPH", "wear", true},
    {"battery", "VOLTS", "volts", true},      {"battery", "AMPS", "amps", true},
    {"DC bus", "VOLTS", "volts", true},       {"DC bus", "AMPS", "amps", true},
    {"AC bus", "VOLTS", "volts", true},       {"AC bus", "AMPS", "amps", true},
    {"regenerator", "ISON", "on", true},      {"boiler", "ISON", "on", true},
    {"cooling loop", "ISON", "on", true},
};

}  // namespace

bool LiveSchematic::Follow(const host::Vessel *vessel) {
  std::vector<std::string> now = PlantGraph::LinesOf(vessel);
  if (vessel == followed && now == lines) return false;
  followed = vessel;
  lines.swap(now);
  plant = PlantGraph::FromLines(lines);
  ++version;
  FindGauges(vessel);
  return true;
}

void LiveSchematic::FollowRebuilt(const host::Vessel *vessel) {
  followed = nullptr;
  lines.clear();
  Follow(vessel);
}

void LiveSchematic::FindGauges(const host::Vessel *vessel) {
  gauges.clear();
  for (size_t n = 0; n < plant.objects.size(); ++n) {
    const PlantObject &object = plant.objects[n];
    for (const GaugeKind &gauged : kGaugeKinds) {
      if (object.kind != gauged.kind) continue;
      Gauge gauge{ObjectElementId(n), gauged.key, object.Reference() + ":" + gauged.variable, {}, gauged.main};
      std::string error;
      if (ResolveNumber(vessel, gauge.reference, gauge.variable, error)) gauges.push_back(gauge);
    }
  }
}

std::string LiveSchematic::Dot() const { return SchematicDot(plant); }

std::vector<LiveSchematic::Reading> LiveSchematic::Read() const {
  std::vector<Reading> readings;
  for (const Gauge &gauge : gauges) readings.push_back({gauge.element, gauge.key, gauge.variable.read()});
  return readings;
}

std::vector<std::string> LiveSchematic::MainVariables(const std::string &element) const {
  std::vector<std::string> references;
  for (const Gauge &gauge : gauges)
    if (gauge.element == element && gauge.main) references.push_back(gauge.reference);
  return references;
}
