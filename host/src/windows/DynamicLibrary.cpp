#include "DynamicLibrary.h"

#include <windows.h>

namespace host {

std::string DynamicLibrary::fileName(const std::string &name) { return name + ".dll"; }

std::unique_ptr<DynamicLibrary> DynamicLibrary::open(const std::string &path, std::string &error) {
  if (HMODULE library = ::LoadLibraryA(path.c_str()))
    return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(library));
  char reason[512] = "";
  ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ::GetLastError(), 0, reason,
                   sizeof reason, nullptr);
  error = reason[0] != '\0' ? path + ": " + reason : "cannot load " + path;
  while (!error.empty() && (error.back() == '\n' || error.back() == '\r')) error.pop_back();
  return nullptr;
}

std::string DynamicLibrary::programFolder() {
  char path[MAX_PATH];
  const DWORD n = ::GetModuleFileNameA(nullptr, path, sizeof path);
  if (n == 0 || n >= sizeof path) return ".";
  std::string folder(path, n);
  const size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? "." : folder.substr(0, slash);
}

void *DynamicLibrary::symbol(const char *name) const {
  return reinterpret_cast<void *>(::GetProcAddress(static_cast<HMODULE>(handle), name));
}

DynamicLibrary::~DynamicLibrary() { ::FreeLibrary(static_cast<HMODULE>(handle)); }

}  // namespace host
