// What a drawing of the plant shows of one system object, taken from the
// object as it was built: its kind, a label for what it is set to, and its
// links to the objects it is joined to, each with the role it plays there.
#pragma once

#include <string>
#include <vector>

class FluidValve;
class SystemObject;

struct PlantLink {
  std::string role;        // "source", "oxygen", "candidate 2", "body", ...
  const SystemObject *to;  // the object at the other end
  std::string port;        // "IN" or "OUT" for a tank's port, else ""
  bool inward;             // what flows, flows from `to` into the object
  bool applied;            // false for a way the object is not using now
};

class PlantSketch {
 public:
  // "tank", "vent", "pipe", "radiator", "crew", "fuel cell", "battery",
  // "DC bus", "AC bus", "socket", "regenerator", "boiler", "cooling loop".
  std::string kind;
  std::string label;
  std::vector<PlantLink> links;

  void Link(const char *role, const SystemObject *to, bool inward, bool applied = true);
  // A link to a tank's port; none for a port that is not set.
  void Port(const char *role, const FluidValve *port, bool inward);
};
