#include "ModuleLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <vector>

namespace host {

namespace {

std::string programFolder() {
  char path[4096];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  path[n] = '\0';
  std::string folder(path);
  const size_t slash = folder.rfind('/');
  return slash == std::string::npos ? "." : folder.substr(0, slash);
}

template <typename F>
void resolve(void *library, const char *symbol, F &function) {
  function = reinterpret_cast<F>(::dlsym(library, symbol));
}

}  // namespace

std::unique_ptr<ModuleLibrary> ModuleLibrary::load(const std::string &name, std::string &error) {
  const std::string file = "lib" + name + ".so";
  const std::vector<std::string> candidates = {"Modules/" + file, programFolder() + "/" + file, file};
  bool brokenFile = false;
  for (const std::string &candidate : candidates) {
    if (void *library = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) {
      std::unique_ptr<ModuleLibrary> module(new ModuleLibrary(library));
      module->name = name;
      module->resolveEntryPoints();
      if (module->ovcInit == nullptr) {
        error = "module " + name + " has no ovcInit";
        return nullptr;
      }
      return module;
    }
    const char *reason = ::dlerror();
    // A file that is there but does not load says what is wrong; a later
    // candidate that is not there at all says nothing more.
    if (brokenFile) continue;
    error = reason ? reason : "cannot load " + file;
    brokenFile = candidate.find('/') != std::string::npos && ::access(candidate.c_str(), F_OK) == 0;
  }
  return nullptr;
}

void ModuleLibrary::resolveEntryPoints() {
  resolve(handle, "ovcInit", ovcInit);
  resolve(handle, "ovcExit", ovcExit);
  resolve(handle, "ovcTimestep", ovcTimestep);
  resolve(handle, "ovcLoadStateEx", ovcLoadStateEx);
  resolve(handle, "ovcSaveState", ovcSaveState);
  resolve(handle, "ovcLoadPanel", ovcLoadPanel);
  resolve(handle, "ovcPanelRedrawEvent", ovcPanelRedrawEvent);
  resolve(handle, "ovcPanelMouseEvent", ovcPanelMouseEvent);
  resolve(handle, "ovcMFDmode", ovcMFDmode);
  resolve(handle, "ovcConsumeBufferedKey", ovcConsumeBufferedKey);
  resolve(handle, "vsimResolveReference", resolveReference);
}

ModuleLibrary::~ModuleLibrary() { ::dlclose(handle); }

}  // namespace host
