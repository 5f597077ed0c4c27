// The module's own log, Varneldebug.txt in the host's root (the working
// folder while the bench runs): what `check` prints and `run` reports.
#pragma once

#include <fstream>
#include <string>

inline std::string ModuleLog() {
  std::ifstream in("Varneldebug.txt");
  std::string text, line;
  while (std::getline(in, line)) text += line + "\n";
  return text;
}
