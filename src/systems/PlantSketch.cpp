#include "systems/PlantSketch.h"

#include "systems/fluid/FluidTank.h"

void PlantSketch::Link(const char *role, const SystemObject *to, bool inward, bool applied) {
  if (to != nullptr) links.push_back({role, to, "", inward, applied});
}

void PlantSketch::Port(const char *role, const FluidValve *port, bool inward) {
  if (port == nullptr) return;
  links.push_back({role, port->owner, port == &port->owner->in ? "IN" : "OUT", inward, true});
}
