#include "module/PlantDescription.h"

#include <map>

#include "module/OnboardSystems.h"
#include "systems/PlantSketch.h"

namespace {

struct Listed {
  const char *list;
  const SystemObject *object;
};

std::string ObjectLine(const Listed &listed, const PlantSketch &sketch) {
  return std::string("object\t") + listed.list + "\t" + listed.object->name + "\t" + sketch.kind + "\t" +
         std::to_string(listed.object->stage) + "\t" + sketch.label;
}

}  // namespace

std::vector<std::string> DescribePlant(const OnboardSystems &plant) {
  std::vector<Listed> objects;
  for (const auto &object : plant.Fluid().Objects()) objects.push_back({"HYDRAULIC", object.get()});
  for (const auto &object : plant.Electric().Objects()) objects.push_back({"ELECTRIC", object.get()});
  std::map<const SystemObject *, size_t> numbers;
  for (size_t i = 0; i < objects.size(); ++i) numbers[objects[i].object] = i;

  std::vector<std::string> lines;
  for (size_t i = 0; i < objects.size(); ++i) {
    PlantSketch sketch;
    objects[i].object->Sketch(sketch);
    lines.push_back(ObjectLine(objects[i], sketch));
    for (const PlantLink &link : sketch.links) {
      const auto to = numbers.find(link.to);
      if (to == numbers.end()) continue;
      lines.push_back("link\t" + std::to_string(i) + "\t" + std::to_string(to->second) + "\t" + link.port + "\t" +
                      link.role + "\t" + (link.inward ? "in" : "out") + "\t" + (link.applied ? "applied" : "idle"));
    }
  }
  return lines;
}
