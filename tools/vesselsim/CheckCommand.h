// `vesselsim check CONFIG`: the configuration read as a scenario restore reads
// it, with the module's debug log printed; `--strict` adds what the module
// passes over without a word.
#pragma once

#include <string>

struct CheckOptions {
  std::string config;  // a class name under ROOT/Config, or a path to its .cfg
  std::string root;
  bool strict = false;
};

// 0 no findings, 1 findings, 2 bad usage or unreadable input.
int CheckConfiguration(const CheckOptions &options);
