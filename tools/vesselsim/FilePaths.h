// File names on the bench's command line and in its event files are taken
// from the folder the bench was started in, not from the host's root.
#pragma once

#include <string>

// `file` as an absolute path: as it is when it starts at "/" (or is empty),
// otherwise under `base`.
inline std::string AbsolutePath(const std::string &file, const std::string &base) {
  return file.empty() || file[0] == '/' ? file : base + "/" + file;
}
