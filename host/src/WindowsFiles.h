// Files the module and its configurations name the Windows way
// ("Meshes\\Body.msh"), looked for as Windows would find them.
#pragma once

#include <string>

namespace host {

// Whether the file exists, each path component matched ignoring case.
bool windowsFileExists(const std::string &windowsPath);

}  // namespace host
