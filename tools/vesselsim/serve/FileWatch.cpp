#include "FileWatch.h"

void FileWatch::watch(const std::vector<std::string> &files) {
  paths = files;
  stamps.clear();
  for (const std::string &path : paths) stamps.push_back(stampOf(path));
}

bool FileWatch::changed() {
  bool any = false;
  for (size_t i = 0; i < paths.size(); ++i) {
    const Stamp now = stampOf(paths[i]);
    if (now != stamps[i]) any = true;
    stamps[i] = now;
  }
  return any;
}

bool FileWatch::allThere() const { return missing().empty(); }

std::string FileWatch::missing() const {
  for (size_t i = 0; i < stamps.size(); ++i)
    if (!stamps[i].exists) return paths[i];
  return "";
}

FileWatch::Stamp FileWatch::stampOf(const std::string &path) {
  Stamp stamp;
  std::error_code error;
  stamp.time = std::filesystem::last_write_time(path, error);
  if (error) return Stamp();
  stamp.size = std::filesystem::file_size(path, error);
  stamp.exists = !error;
  return stamp;
}
