// File names written the Windows way ("Config\\Vessel.cfg") opened on a file
// system that separates with "/" and tells case apart: each component matches
// an existing entry whatever its case, as it would on Windows.
#pragma once

#include <cstdio>
#include <string>

std::string ResolveWindowsPath(const char *path);

// fopen with a Windows name; the text-mode flag "t" is accepted.
FILE *OpenWindowsFile(const char *path, const char *mode);
