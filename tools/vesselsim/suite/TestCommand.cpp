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
  for (const TestRun &run : runs) Report(run);
  const TestTally tally = Tally(runs);
  std::cout << runs.size() << (runs.size() == 1 ? " events file, " : " events files, ") << tally.expectations
            << " expectations, " << tally.expectations - tally.broken << " held, " << tally.broken << " broken"
            << (tally.unflown > 0 ? ", " + std::to_string(tally.unflown) + " not flown" : "") << '\n';
  if (!options.junit.empty()) {
    std::ofstream out(options.junit, std::ios::binary);
    out << JUnitReport(runs);
    if (!out.flush()) {
      std::cerr << "vesselsim: cannot write " << options.junit << '\n';
      return 2;
    }
  }
  return tally.broken > 0 || tally.unflown > 0 ? 1 : 0;
}
