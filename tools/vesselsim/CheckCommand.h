// `vesselsim check CONFIG`: the configuration read as a scenario restore reads
// it, with the module's debug log printed; `--strict` adds what the module
// passes over without a word.
#pragma once

#include <map>
#include <string>
#include <vector>

struct CheckOptions {
  std::string config;  // a class name under ROOT/Config, or a path to its .cfg
  std::string root;
  bool strict = false;
};

// 0 no findings, 1 findings, 2 bad usage or unreadable input.
int CheckConfiguration(const CheckOptions &options);

// CONFIG (a class name under the root, or a path to its .cfg in a Config
// folder) as a class name, its root made the current folder; false with the
// reason when it cannot be.
bool EnterClassRoot(const std::string &config, const std::string &rootOption, std::string &className,
                    std::string &error);

// One class's configuration read as a restore reads it, by the module alone,
// from the current folder as the host's root.
struct ClassCheck {
  bool loaded = false;                // false: the module could not be loaded
  std::string log;                    // the module's debug log
  std::vector<std::string> findings;  // "FILE:LINE: message", as --strict shows them
  std::vector<std::string> files;     // every file the configuration read or used that is there
  std::string summary;                // what it built, counted
  // Every numeric variable of the plant (its HYDRAULIC: and ELECTRIC:
  // references) as the files build it.
  std::map<std::string, double> builtValues;
  std::string error;                  // why it was not loaded
};
ClassCheck CheckClass(const std::string &className);
