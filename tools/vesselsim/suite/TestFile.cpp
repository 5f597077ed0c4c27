#include "TestFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "FilePaths.h"
#include "Watch.h"

namespace {

// The value of a "# KEY: VALUE" header line, or false.
bool HeaderValue(const std::string &line, const std::string &key, std::string &value) {
  const std::string lead = "# " + key + ":";
  if (line.rfind(lead, 0) != 0) return false;
  const size_t start = line.find_first_not_of(" \t", lead.size());
  const size_t end = line.find_last_not_of(" \t\r");
  value = start == std::string::npos ? "" : line.substr(start, end - start + 1);
  return true;
}

bool PositiveSeconds(const std::string &text, double &seconds) {
  return ParseValue(ValueType::Double, text, seconds) && seconds > 0;
}

}  // namespace

bool TestFile::Read(const std::string &path, TestFile &test) {
  std::ifstream in(path);
  const std::filesystem::path folder = std::filesystem::absolute(path).parent_path();
  test.path = path;
  test.absolute = std::filesystem::absolute(path).lexically_normal().string();
  std::string line, value, root, dt, duration;
  while (std::getline(in, line)) {
    if (HeaderValue(line, "scenario", value)) test.scenario = AbsolutePath(value, folder.string());
    if (HeaderValue(line, "root", value)) root = value;
    if (HeaderValue(line, "dt", value)) dt = value;
    if (HeaderValue(line, "duration", value)) duration = value;
  }
  if (test.scenario.empty()) return false;
  test.root = !root.empty() ? AbsolutePath(root, folder.string())
                            : std::filesystem::path(test.scenario).parent_path().parent_path().string();
  if (!dt.empty() && !PositiveSeconds(dt, test.dt)) test.error = "# dt: must be a number of seconds above 0";
  if (!duration.empty() && !PositiveSeconds(duration, test.duration))
    test.error = "# duration: must be a number of seconds above 0";
  if (test.error.empty() && !ReadEventScript(test.absolute, folder.string(), test.script, test.error)) return true;
  if (test.duration < 0) test.duration = std::max(test.script.LastTime(), test.dt);
  return true;
}

std::vector<TestFile> FindTestFiles(const std::string &folder, std::string &error) {
  std::vector<std::string> paths;
  std::error_code walking;
  for (auto it = std::filesystem::recursive_directory_iterator(folder, walking);
       !walking && it != std::filesystem::recursive_directory_iterator(); it.increment(walking))
    if (it->is_regular_file() && it->path().extension() == ".events") paths.push_back(it->path().string());
  if (walking) error = "cannot look through " + folder + ": " + walking.message();
  std::sort(paths.begin(), paths.end());
  std::vector<TestFile> tests;
  for (const std::string &path : paths) {
    TestFile test;
    if (TestFile::Read(path, test)) tests.push_back(test);
  }
  return tests;
}
