// Whatever turns a reference from a configuration line ("SHIP:ALTITUDE",
// "HYDRAULIC:CABIN:PRESS", "MAIN:SW1:SRC") into its variable, telling the
// reading's diagnostics what it finds.
#pragma once

#include "config/VariableRef.h"

class Diagnostics;

class VariableResolver {
 public:
  virtual VariableRef ResolveReference(const char *text, Diagnostics &diagnostics) = 0;

 protected:
  ~VariableResolver() = default;
};
