// File names written the Windows way ("Config\\Vessel.cfg") are Windows'
// own here: they are opened as they are.
#pragma once

#include <cstdio>
#include <string>

inline std::string ResolveWindowsPath(const char *path) { return path; }

inline FILE *OpenWindowsFile(const char *path, const char *mode) { return std::fopen(path, mode); }
