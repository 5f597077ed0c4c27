#include "module/ModuleLog.h"

#include <filesystem>
#include <set>

namespace {

// The module's state for the whole run, whichever vessel reads or steps.
std::set<std::string> foldersUsed;
FindingSink findingSink = nullptr;
void *sinkContext = nullptr;

}  // namespace

bool FirstLogUseInFolder() {
  std::error_code error;
  return foldersUsed.insert(std::filesystem::current_path(error).string()).second;
}

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
