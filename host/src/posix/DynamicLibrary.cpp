#include "DynamicLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

namespace host {

std::string DynamicLibrary::fileName(const std::string &name) { return "lib" + name + ".so"; }

std::unique_ptr<DynamicLibrary> DynamicLibrary::open(const std::string &path, std::string &error) {
  if (void *library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL))
    return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(library));
  const char *reason = ::dlerror();
  error = reason != nullptr ? reason : "cannot load " + path;
  return nullptr;
}

std::string DynamicLibrary::programFolder() {
  char path[4096];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  path[n] = '\0';
  std::string folder(path);
  const size_t slash = folder.rfind('/');
  return slash == std::string::npos ? "." : folder.substr(0, slash);
}

void *DynamicLibrary::symbol(const char *name) const { return ::dlsym(handle, name); }

DynamicLibrary::~DynamicLibrary() { ::dlclose(handle); }

}  // namespace host
