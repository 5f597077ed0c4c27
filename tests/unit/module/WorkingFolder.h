// A fresh scratch folder made the working folder for one test, and removed
// with it: the module writes its debug log into the working folder, and tests
// run side by side must not share it.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class WorkingFolder {
 public:
  WorkingFolder() {
    char pattern[] = "/tmp/genvessel-test-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) std::abort();
    path = pattern;
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

  std::string path;

 private:
  std::filesystem::path previous;
};
