#include "ModuleLibrary.h"

#include <filesystem>
#include <vector>

namespace host {

namespace {

template <typename F>
void resolve(const DynamicLibrary &library, const char *symbol, F &function) {
  function = reinterpret_cast<F>(library.symbol(symbol));
}

}  // namespace

std::unique_ptr<ModuleLibrary> ModuleLibrary::load(const std::string &name, std::string &error) {
  const std::string file = DynamicLibrary::fileName(name);
  const std::string program = DynamicLibrary::programFolder();
  const std::vector<std::string> candidates = {"Modules/" + file, program + "/Modules/" + file, program + "/" + file,
                                               file};
  bool brokenFile = false;
  for (const std::string &candidate : candidates) {
    std::string reason;
    if (std::unique_ptr<DynamicLibrary> library = DynamicLibrary::open(candidate, reason)) {
      std::unique_ptr<ModuleLibrary> module(new ModuleLibrary(std::move(library)));
      module->name = name;
      module->resolveHostEntryPoints();
      module->resolveBenchEntryPoints();
      if (module->ovcInit == nullptr) {
        error = "module " + name + " has no ovcInit";
        return nullptr;
      }
      return module;
    }
    // A file that is there but does not load says what is wrong; a later
    // candidate that is not there at all says nothing more.
    if (brokenFile) continue;
    error = reason;
    brokenFile = candidate.find('/') != std::string::npos && std::filesystem::exists(candidate);
  }
  return nullptr;
}

void ModuleLibrary::resolveHostEntryPoints() {
  int (*version)() = nullptr;
  resolve(*library, "GetModuleVersion", version);
  moduleVersion = version != nullptr ? version() : 0;
  resolve(*library, "ovcInit", ovcInit);
  resolve(*library, "ovcExit", ovcExit);
}

void ModuleLibrary::resolveBenchEntryPoints() {
  resolve(*library, "vsimResolveReference", bench.resolveReference);
  resolve(*library, "vsimSetFindingSink", bench.setFindingSink);
  resolve(*library, "vsimDescribeResource", bench.describeResource);
  resolve(*library, "vsimSummary", bench.summary);
  resolve(*library, "vsimCheckClass", bench.checkClass);
  resolve(*library, "vsimListReferences", bench.listReferences);
  resolve(*library, "vsimDescribePlant", bench.describePlant);
  resolve(*library, "vsimDescribeClassPlant", bench.describeClassPlant);
  resolve(*library, "vsimPlantFault", bench.plantFault);
  resolve(*library, "vsimPanelName", bench.panelName);
  resolve(*library, "vsimFailNextCallback", bench.failNextCallback);
}

}  // namespace host
