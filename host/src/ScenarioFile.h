// Scenario files in the host's text format, and the file handles through
// which a module reads and writes its vessel's block.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "OrbiterAPI.h"

namespace host {

// What the host's own scenario lines of a vessel say; the status record a
// module passes back to ParseScenarioLineEx.
struct ParsedStatus {
  VECTOR3 rpos = _V(0, 0, 0);
  VECTOR3 rvel = _V(0, 0, 0);
  VECTOR3 vrot = _V(0, 0, 0);
  VECTOR3 arot = _V(0, 0, 0);
  int status = 0;
  std::vector<std::pair<size_t, double>> propellantLevels;
  std::vector<std::pair<size_t, double>> thrusterLevels;

  // Takes one of the host's lines; false when the line is not one of them.
  bool parseLine(const char *line);
};

struct ShipBlock {
  std::string name;
  std::string className;
  std::vector<std::string> lines;  // between "NAME:CLASS" and "END"
};

struct ScenarioFile {
  std::vector<std::string> description;
  std::vector<std::string> environment;
  std::vector<std::string> world;
  std::vector<ShipBlock> ships;

  bool read(const std::string &path, std::string &error);
};

// A vessel's block, handed out one line at a time with leading blanks removed.
class ScenarioBlockReader {
 public:
  explicit ScenarioBlockReader(const std::vector<std::string> &blockLines) : lines(blockLines) {}
  bool next(char *&line);
  FILEHANDLE handle() { return this; }

 private:
  const std::vector<std::string> &lines;
  size_t position = 0;
  std::vector<char> buffer;
};

// Collects the lines a vessel writes into its block.
class ScenarioWriter {
 public:
  void item(const char *name, const char *value);
  FILEHANDLE handle() { return this; }

  std::string text;
};

}  // namespace host
