// What the module reads past silently in a vessel configuration: unknown lines
// inside sections, missing closing lines, short lines, panel lines of classes
// that do not exist, missing bitmap, texture and mesh files, and references to
// objects that only later lines define. Each finding is "FILE:LINE: message".
#pragma once

#include <string>
#include <vector>

// Reads `configPath` (in ROOT/Config) from the working folder ROOT.
std::vector<std::string> StrictFindings(const std::string &configPath, const std::string &shownName);
