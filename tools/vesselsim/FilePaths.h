// File names on the bench's command line and in its event files are taken
// from the folder the bench was started in, not from the host's root.
#pragma once

#include <filesystem>
#include <string>

// `file` as an absolute path: as it is when it is one (or is empty),
// otherwise under `base`. On Windows "/x" lies on the drive of `base`.
inline std::string AbsolutePath(const std::string &file, const std::string &base) {
  return file.empty() ? file : (std::filesystem::path(base) / file).generic_string();
}
