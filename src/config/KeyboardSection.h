// The <KEYBOARD> section, read into the vessel's key bindings, and the key
// names it uses.
#pragma once

#include <cstdint>
#include <cstdio>

#include "config/ConfigurationSet.h"

class ParseContext;

class KeyboardSection {
 public:
  explicit KeyboardSection(ConfigurationSet &target) : set(target) {}
  // From the line after "<KEYBOARD>" up to and including its closing line.
  void Read(ParseContext &context);

 private:
  ConfigurationSet &set;
};

// Key name ("OAPI_KEY_J", ignoring case) to scan code; 0 when unknown.
int32_t KeyCodeFromName(const char *name);
