#include "SchematicCommand.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "CheckCommand.h"
#include "GraphvizSvg.h"
#include "ModuleLibrary.h"
#include "PlantGraph.h"
#include "SchematicDot.h"

int DrawSchematic(const SchematicOptions &options) {
  // The output is named from where the command was given, before the root
  // becomes the current folder.
  const std::string svgPath = std::filesystem::absolute(options.svg).string();
  std::string className, error;
  if (!EnterClassRoot(options.config, options.root, className, error)) {
    std::cerr << "vesselsim: " << error << '\n';
    return 2;
  }
  std::string loading;
  const std::unique_ptr<host::ModuleLibrary> module = host::ModuleLibrary::load("genvessel", loading);
  if (module == nullptr) {
    std::cerr << "vesselsim: the vessel module could not be loaded: " << loading << '\n';
    return 2;
  }
  const PlantGraph plant = PlantGraph::OfClass(*module, className, error);
  const std::string svg = error.empty() ? RenderSvg(SchematicDot(plant), error) : "";
  if (svg.empty()) {
    std::cerr << "vesselsim: " << error << '\n';
    return 2;
  }
  std::ofstream out(svgPath, std::ios::binary);
  out << svg;
  if (!out.flush()) {
    std::cerr << "vesselsim: cannot write " << svgPath << '\n';
    return 2;
  }
  std::cout << className << ".cfg: " << plant.objects.size() << " objects and " << plant.connections.size()
            << " links drawn into " << options.svg << '\n';
  return 0;
}
