#include "TestCommand.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <thread>

#include "JUnitReport.h"
#include "TestFile.h"
#include "TestRun.h"

namespace {

std::string Seconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f s", seconds);
  return text;
}

// "ok     FILE: 12 expectations held (1.2 s)", or FAILED with the broken
// promises under it, or ERROR with why it could not be flown.
void Report(const TestRun &run) {
  const std::string error = run.Error();
  const size_t count = run.test->script.expectations.size();
  const int broken = run.Broken();
  if (!error.empty()) {
    std::cout << "ERROR  " << run.test->path << ": " << error << '\n';
  } else if (broken == 0) {
    std::cout << "ok     " << run.test->path << ": " << count << (count == 1 ? " expectation" : " expectations")
              << " held (" << Seconds(run.seconds) << ")\n";
  } else {
    std::cout << "FAILED " << run.test->path << ": " << broken << " of " << count << " expectations broken ("
              << Seconds(run.seconds) << ")\n";
    for (const Expectation &expectation : run.test->script.expectations) {
      const std::string failure = run.Failure(expectation);
      if (!failure.empty()) std::cout << "  " << failure << '\n';
    }
  }
}

}  // namespace

int TestVessels(const TestOptions &options) {
  std::string error;
  const std::vector<TestFile> tests = FindTestFiles(options.folder, error);
  if (!error.empty()) {
    std::cerr << "vesselsim: " << error << '\n';
    return 2;
  }
  std::error_code found;
  const std::string program = std::filesystem::read_symlink("/proc/self/exe", found).string();
  const std::vector<TestRun> runs = RunTests(tests, program, std::thread::hardware_concurrency());
  size_t expectations = 0, broken = 0, errors = 0;
  for (const TestRun &run : runs) {
    Report(run);
    const bool failed = !run.Error().empty();
    errors += failed ? 1 : 0;
    expectations += failed ? 0 : run.test->script.expectations.size();
    broken += failed ? 0 : static_cast<size_t>(run.Broken());
  }
  std::cout << runs.size() << (runs.size() == 1 ? " events file, " : " events files, ") << expectations
            << " expectations, " << expectations - broken << " held, " << broken << " broken"
            << (errors > 0 ? ", " + std::to_string(errors) + " not flown" : "") << '\n';
  if (!options.junit.empty()) {
    std::ofstream out(options.junit, std::ios::binary);
    out << JUnitReport(runs);
    if (!out.flush()) {
      std::cerr << "vesselsim: cannot write " << options.junit << '\n';
      return 2;
    }
  }
  return broken > 0 || errors > 0 ? 1 : 0;
}
