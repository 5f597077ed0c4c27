// One test file flown by `vesselsim run` in a process of its own (runs
// change the working folder, so they cannot share one), and what it said.
#pragma once

#include <string>
#include <vector>

#include "TestFile.h"

struct TestRun {
  const TestFile *test = nullptr;
  int status = -1;     // the run's exit status; -1: it did not run
  std::string output;  // what it printed, stdout and stderr
  double seconds = 0.0;

  // Runs `test` with the bench at `program`.
  static TestRun Of(const TestFile &test, const std::string &program);

  // Why the file could not be flown; empty when it was.
  std::string Error() const;
  // The broken expectation's message, with the file as it was found; empty
  // for one that held.
  std::string Failure(const Expectation &expectation) const;
  int Broken() const;
};

// What a set of runs comes to: the promises of the files that were flown,
// the broken ones among them, the files that were not, the time taken.
struct TestTally {
  size_t expectations = 0, broken = 0, unflown = 0;
  double seconds = 0.0;
};
TestTally Tally(const std::vector<TestRun> &runs);

// Every test run, up to `parallel` at a time, in the order of `tests`.
std::vector<TestRun> RunTests(const std::vector<TestFile> &tests, const std::string &program, unsigned parallel);
