#include "WindowsFiles.h"

#include <sys/stat.h>

#include "winpath.h"

namespace host {

bool windowsFileExists(const std::string &windowsPath) {
  struct stat info;
  return !windowsPath.empty() && ::stat(ResolveWindowsPath(windowsPath.c_str()).c_str(), &info) == 0;
}

}  // namespace host
