// The configuration file's top level: each section's opening line hands the
// section to its reader, in file order.
#pragma once

class Diagnostics;
class ParseContext;
class VesselSystems;

class VesselConfiguration {
 public:
  explicit VesselConfiguration(VesselSystems &target) : systems(target) {}
  // Reads "Config\\<className>.cfg" into the vessel's systems; a file that
  // cannot be opened is logged and builds nothing.
  void Read(const char *className, Diagnostics &diagnostics);

 private:
  void ReadTopLevelLine(ParseContext &context, const char *line);

  VesselSystems &systems;
};
