// File names on the bench's command line and in its event files are taken
// from the folder the bench was started in, not from the host's root.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

// `file` as an absolute path: as it is when it is one (or is empty),
// otherwise under `base`. On Windows "/x" lies on the drive of `base`.
inline std::string AbsolutePath(const std::string &file, const std::string &base) {
  return file.empty() ? file : (std::filesystem::path(base) / file).generic_string();
}

// A scratch file of this process in the system's temporary folder (the
// current folder when there is none): "vesselsim-STEM-PID.EXTENSION".
inline std::string ScratchPath(const std::string &stem, const std::string &extension) {
  std::error_code error;
  const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
  const std::string name = "vesselsim-" + stem + "-" + std::to_string(::getpid()) + "." + extension;
  return ((error ? std::filesystem::path(".") : temp) / name).string();
}
