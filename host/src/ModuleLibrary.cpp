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
      module->resolveEntryPoints();
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

void ModuleLibrary::resolveEntryPoints() {
  resolve(*library, "ovcInit", ovcInit);
  resolve(*library, "ovcExit", ovcExit);
  resolve(*library, "ovcTimestep", ovcTimestep);
  resolve(*library, "ovcLoadStateEx", ovcLoadStateEx);
  resolve(*library, "ovcSaveState", ovcSaveState);
  resolve(*library, "ovcLoadPanel", ovcLoadPanel);
  resolve(*library, "ovcPanelRedrawEvent", ovcPanelRedrawEvent);
  resolve(*library, "ovcPanelMouseEvent", ovcPanelMouseEvent);
  resolve(*library, "ovcMFDmode", ovcMFDmode);
  resolve(*library, "ovcConsumeBufferedKey", ovcConsumeBufferedKey);
  resolve(*library, "vsimResolveReference", resolveReference);
  resolve(*library, "vsimSetFindingSink", setFindingSink);
  resolve(*library, "vsimDescribeResource", describeResource);
  resolve(*library, "vsimSummary", summary);
  resolve(*library, "vsimCheckClass", checkClass);
  resolve(*library, "vsimPublish", publish);
  resolve(*library, "vsimListReferences", listReferences);
  resolve(*library, "vsimDescribePlant", describePlant);
  resolve(*library, "vsimDescribeClassPlant", describeClassPlant);
  resolve(*library, "vsimPlantFault", plantFault);
  resolve(*library, "vsimPanelName", panelName);
  resolve(*library, "vsimFailNextCallback", failNextCallback);
}

}  // namespace host
