#include "PlantGraph.h"

#include <cstdlib>
#include <sstream>

namespace {

std::vector<std::string> TabFields(const std::string &line) {
  std::vector<std::string> fields;
  std::istringstream text(line);
  for (std::string field; std::getline(text, field, '\t');) fields.push_back(field);
  if (!line.empty() && line.back() == '\t') fields.emplace_back();
  return fields;
}

bool ObjectNumber(const std::string &text, size_t known, size_t &number) {
  char *end = nullptr;
  const unsigned long read = std::strtoul(text.c_str(), &end, 10);
  number = read;
  return !text.empty() && *end == '\0' && read < known;
}

void Collect(void *lines, const char *line) { static_cast<std::vector<std::string> *>(lines)->push_back(line); }

}  // namespace

PlantGraph PlantGraph::FromLines(const std::vector<std::string> &lines) {
  PlantGraph graph;
  for (const std::string &line : lines) {
    const std::vector<std::string> f = TabFields(line);
    if (f.size() == 6 && f[0] == "object") {
      graph.objects.push_back({f[1], f[2], f[3], std::atoi(f[4].c_str()), f[5]});
      continue;
    }
    PlantConnection c;
    if (f.size() == 7 && f[0] == "link" && ObjectNumber(f[1], graph.objects.size(), c.from) &&
        ObjectNumber(f[2], graph.objects.size(), c.to)) {
      c.port = f[3];
      c.role = f[4];
      c.inward = f[5] == "in";
      c.applied = f[6] == "applied";
      graph.connections.push_back(c);
    }
  }
  return graph;
}

PlantGraph PlantGraph::OfClass(const host::ModuleLibrary &module, const std::string &className, std::string &error) {
  if (module.bench.describeClassPlant == nullptr) {
    error = "the vessel module cannot describe its plant";
    return {};
  }
  std::vector<std::string> lines;
  module.bench.describeClassPlant(className.c_str(), Collect, &lines);
  return FromLines(lines);
}

std::vector<std::string> PlantGraph::LinesOf(const host::Vessel *vessel) {
  std::vector<std::string> lines;
  if (vessel != nullptr && vessel->instance != nullptr && vessel->module != nullptr &&
      vessel->module->bench.describePlant != nullptr)
    vessel->module->bench.describePlant(vessel->instance, Collect, &lines);
  return lines;
}
