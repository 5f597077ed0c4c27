// A fresh scratch folder made the working folder for one test, and removed
// with it: the module writes its debug log into the working folder, and tests
// run side by side must not share it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <random>
#include <fstream>
#include <sstream>
#include <string>

class WorkingFolder {
 public:
  WorkingFolder() {
    std::random_device random;
    const std::filesystem::path temp = std::filesystem::temp_directory_path();
    for (int tries = 0; path.empty(); ++tries) {
      if (tries == 100) std::abort();
      const std::filesystem::path candidate = temp / ("genvessel-test-" + std::to_string(random()));
      if (std::filesystem::create_directory(candidate)) path = candidate.generic_string();
    }
    previous = std::filesystem::current_path();
    std::filesystem::current_path(path);
  }
  ~WorkingFolder() {
    std::filesystem::current_path(previous);
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  WorkingFolder(const WorkingFolder &) = delete;
  WorkingFolder &operator=(const WorkingFolder &) = delete;

  // The text of a file in the folder; empty when there is none.
  std::string Read(const std::string &name) const {
    std::ifstream in(path + "/" + name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // Copies the folder `from` (an example's root) into this one, file by
  // file: on Windows "Config" and "config" are one folder.
  void CopyIn(const std::filesystem::path &from) const {
    for (const auto &entry : std::filesystem::recursive_directory_iterator(from)) {
      const std::filesystem::path copy = entry.path().string().substr(from.string().size() + 1);
      if (entry.is_directory()) std::filesystem::create_directories(copy);
      else std::filesystem::copy_file(entry.path(), copy, std::filesystem::copy_options::overwrite_existing);
    }
  }

  std::string path;

 private:
  std::filesystem::path previous;
};
