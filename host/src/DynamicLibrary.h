// A shared library loaded at run time and its symbols looked up by name: a
// dlopen'ed ".so" on Linux, a LoadLibrary'd ".dll" on Windows.
#pragma once

#include <memory>
#include <string>

namespace host {

class DynamicLibrary {
 public:
  // The file a library of that name is, "lib<name>.so" or "<name>.dll".
  static std::string fileName(const std::string &name);
  // Null, with the loader's reason, when `path` does not load.
  static std::unique_ptr<DynamicLibrary> open(const std::string &path, std::string &error);
  // The folder of the running program.
  static std::string programFolder();

  ~DynamicLibrary();
  DynamicLibrary(const DynamicLibrary &) = delete;
  DynamicLibrary &operator=(const DynamicLibrary &) = delete;

  // Null when the library has no such symbol.
  void *symbol(const char *name) const;

 private:
  explicit DynamicLibrary(void *library) : handle(library) {}
  void *handle;
};

}  // namespace host
