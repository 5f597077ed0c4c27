// What every vessel of the run shares in what the module says: the debug log
// "Varneldebug.txt" of the working folder, emptied by the run's first use of
// it there, and the finding sink an author's check gives the module.
#pragma once

#include <string>

#include "config/text/Diagnostics.h"

// Entries from outside a reading (a step, a restore, a callback), appended to
// the log; nothing is written for none.
void AppendToModuleLog(const std::string &entries);

// The checker's sink for what the configuration readers pass over silently;
// null turns the findings off again.
void SetModuleFindingSink(FindingSink sink, void *context);

// A reading's log and diagnostics: the log open for the reading's length,
// the findings going to the module's sink.
class ModuleReading {
 public:
  ModuleReading();
  Diagnostics &Report() { return diagnostics; }

 private:
  DebugLog log;
  Diagnostics diagnostics;
};
