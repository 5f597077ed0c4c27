// Running the bench as a vessel author does, through the program, and reading
// what it leaves behind.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

struct Result {
  int status;
  std::string out;
};

// The bench this suite drives: the one built beside it, or the command in
// VESSELSIM (the Windows build under Wine, say).
inline std::string BenchCommand() {
  const char *command = std::getenv("VESSELSIM");
  return command != nullptr && *command != '\0' ? command : VESSELSIM;
}

// Whether the bench is the Windows build (run under Wine).
inline bool BenchIsWindows() { return BenchCommand().find(".exe") != std::string::npos; }

// Runs `bench` with `arguments`; `out` is stdout and stderr together, or
// stdout alone.
inline Result RunBench(const std::string &bench, const std::string &arguments, bool withStderr = true) {
  const std::string command = bench + " " + arguments + (withStderr ? " 2>&1" : " 2>/dev/null");
  Result result{-1, ""};
  FILE *pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  std::array<char, 4096> buffer;
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.out.append(buffer.data(), n);
  const int raw = pclose(pipe);
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return result;
}

inline Result Vesselsim(const std::string &arguments, bool withStderr = true) {
  return RunBench(BenchCommand(), arguments, withStderr);
}

// "REF = VALUE" lines of a run, by REF.
inline std::map<std::string, double> WatchLines(const std::string &out) {
  std::map<std::string, double> values;
  std::istringstream lines(out);
  std::string line;
  while (std::getline(lines, line)) {
    const size_t equals = line.find(" = ");
    if (equals != std::string::npos) values[line.substr(0, equals)] = std::atof(line.c_str() + equals + 3);
  }
  return values;
}

// The text of a file, lines ended by "\n": the module writes its log in text
// mode, which on Windows ends them with "\r\n".
inline std::string ReadFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::string content = text.str();
  for (size_t at = content.find("\r\n"); at != std::string::npos; at = content.find("\r\n", at))
    content.erase(at, 1);
  return content;
}

// Scratch files carry the test's name: ctest runs tests side by side.
inline std::string TempPath(const std::string &name) {
  const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
  return ::testing::TempDir() + "/" + test->name() + "-" + name;
}

// Whether two texts say the same, word by word: numbers within `absolute`
// plus `relative` of the larger ("nan" only against "nan"), other words to
// the letter.
inline ::testing::AssertionResult SameWords(const std::string &a, const std::string &b, double absolute,
                                            double relative) {
  std::istringstream left(a), right(b);
  std::string x, y;
  while (left >> x) {
    if (!(right >> y)) return ::testing::AssertionFailure() << "ends before " << x;
    char *endX, *endY;
    const double u = std::strtod(x.c_str(), &endX), v = std::strtod(y.c_str(), &endY);
    const bool numbers = *endX == '\0' && *endY == '\0' && endX != x.c_str() && endY != y.c_str();
    const bool apart = std::isnan(u) != std::isnan(v) || std::fabs(u - v) > absolute + relative * std::fmax(std::fabs(u), std::fabs(v));
    if (numbers ? apart : x != y)
      return ::testing::AssertionFailure() << x << " against " << y;
  }
  if (right >> y) return ::testing::AssertionFailure() << "goes on with " << y;
  return ::testing::AssertionSuccess();
}

// A fresh scratch copy of a host root under tests/data: the module writes its
// log into the root.
inline std::string CopyOfTestRoot(const std::string &data, const std::string &name) {
  const std::string root = TempPath(name);
  EXPECT_EQ(std::system(("rm -rf " + root + " && cp -r " + TEST_DATA_DIR + "/" + data + " " + root).c_str()), 0);
  return root;
}
