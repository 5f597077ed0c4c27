// The plant the module built, as the lines it describes it with (one an
// object, one a link): read for a drawing, from a class as a restore builds
// it or from a flying vessel's lines as it stands.
#pragma once

#include <string>
#include <vector>

#include "ModuleLibrary.h"
#include "Simulation.h"

// The stage of an object no separation deletes.
constexpr int kNeverDeleted = 99;

struct PlantObject {
  std::string list;  // "HYDRAULIC" or "ELECTRIC"
  std::string name;
  std::string kind;  // "tank", "pipe", "DC bus", ...; "" for an object of no kind
  int stage = kNeverDeleted;  // the configuration whose separation deletes it
  std::string label;

  // "HYDRAULIC:NAME": how a watch names it.
  std::string Reference() const { return list + ":" + name; }
  bool IsTankLike() const { return kind == "tank" || kind == "vent"; }
};

struct PlantConnection {
  size_t from, to;   // object numbers
  std::string port;  // the port of `to` ("IN", "OUT") or ""
  std::string role;
  bool inward;  // what flows, flows from `to` into `from`
  bool applied;
};

class PlantGraph {
 public:
  // Lines a module gave; a line of neither form, or naming an object number
  // it has not given, is passed over.
  static PlantGraph FromLines(const std::vector<std::string> &lines);
  // A class under the current folder, as a restore into configuration 1
  // builds it; empty with the reason when the module cannot say.
  static PlantGraph OfClass(const host::ModuleLibrary &module, const std::string &className, std::string &error);
  // The lines a flying vessel's module describes its plant with; none for a
  // vessel no module drives.
  static std::vector<std::string> LinesOf(const host::Vessel *vessel);

  std::vector<PlantObject> objects;
  std::vector<PlantConnection> connections;
};
