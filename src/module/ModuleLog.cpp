#include "module/ModuleLog.h"

#include <filesystem>
#include <set>

namespace {

// The module's state for the whole run, whichever vessel reads or steps.
std::set<std::string> foldersUsed;
FindingSink findingSink = nullptr;
void *sinkContext = nullptr;

// Whether the log of the working folder is used for the first time in this
// run (so the use empties it).
bool FirstLogUseInFolder() {
  std::error_code error;
  return foldersUsed.insert(std::filesystem::current_path(error).string()).second;
}

}  // namespace

void AppendToModuleLog(const std::string &entries) {
  if (entries.empty()) return;
  DebugLog log(FirstLogUseInFolder());
  log.Write(entries);
}

void SetModuleFindingSink(FindingSink sink, void *context) {
  findingSink = sink;
  sinkContext = context;
}

ModuleReading::ModuleReading() : log(FirstLogUseInFolder()), diagnostics(&log, findingSink, sinkContext) {}
