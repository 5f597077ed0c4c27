// The files a vessel is built from, watched for changes: their times of last
// change and sizes, compared at each look.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class FileWatch {
 public:
  // Watches exactly `files` from now on, as they are now.
  void watch(const std::vector<std::string> &files);
  // Whether any file changed, appeared or went since the last look.
  bool changed();
  // Whether every watched file was there at the last look.
  bool allThere() const;
  // The first watched file that was not there at the last look; "" when all were.
  std::string missing() const;

 private:
  struct Stamp {
    bool exists = false;
    std::filesystem::file_time_type time;
    std::uintmax_t size = 0;
    bool operator!=(const Stamp &other) const {
      return exists != other.exists || time != other.time || size != other.size;
    }
  };
  static Stamp stampOf(const std::string &path);

  std::vector<std::string> paths;
  std::vector<Stamp> stamps;
};
