// `vesselsim schematic CONFIG --svg FILE`: the vessel's plant, as the module
// builds it from the configuration, drawn as an SVG schematic.
#pragma once

#include <string>

struct SchematicOptions {
  std::string config;  // a class name under ROOT/Config, or a path to its .cfg
  std::string root;
  std::string svg;
};

// 0 drawn, 2 bad usage, unreadable input or a file that cannot be written.
int DrawSchematic(const SchematicOptions &options);
