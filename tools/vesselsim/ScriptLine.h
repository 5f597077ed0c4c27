// A line of an events file as messages about it name it.
#pragma once

#include <string>

struct ScriptLine {
  std::string text;   // the line
  std::string where;  // "FILE:LINE"

  // "FILE:LINE: `message`: LINE", as every message about a line reads.
  std::string Said(const std::string &message) const { return where + ": " + message + ": " + text; }
};
