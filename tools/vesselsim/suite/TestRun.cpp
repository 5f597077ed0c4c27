#include "TestRun.h"

#include <sys/wait.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <thread>

namespace {

// A word the shell takes as it stands.
std::string Quoted(const std::string &word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string Figure(double value) {
  std::ostringstream text;
  text.precision(17);
  text << value;
  return text.str();
}

// What `command` prints, and its exit status.
int Capture(const std::string &command, std::string &output) {
  FILE *pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return -1;
  char buffer[4096];
  for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, read);
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TestRun TestRun::Of(const TestFile &test, const std::string &program) {
  TestRun run;
  run.test = &test;
  if (!test.error.empty()) return run;
  const auto began = std::chrono::steady_clock::now();
  run.status = Capture(Quoted(program) + " run --quiet --root " + Quoted(test.root) + " " + Quoted(test.scenario) +
                           " --events " + Quoted(test.absolute) + " --dt " + Figure(test.dt) + " --duration " +
                           Figure(test.duration),
                       run.output);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  return run;
}

std::string TestRun::Error() const {
  if (!test->error.empty()) return test->error;
  if (status == 0 || status == 1) return "";
  if (status < 0) return "the run did not finish";
  // The bench's reason is its last line, the file named as it was found.
  const size_t end = output.find_last_not_of('\n');
  if (end == std::string::npos) return "the run failed";
  const size_t start = output.rfind('\n', end) == std::string::npos ? 0 : output.rfind('\n', end) + 1;
  std::string reason = output.substr(start, end - start + 1);
  const std::string bench = "vesselsim: ";
  if (reason.rfind(bench, 0) == 0) reason.erase(0, bench.size());
  if (reason.rfind(test->absolute, 0) == 0) reason = test->path + reason.substr(test->absolute.size());
  return reason;
}

std::string TestRun::Failure(const Expectation &expectation) const {
  const std::string lead = expectation.where + ": ";
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind(lead, 0) == 0) return test->path + line.substr(test->absolute.size());
  return "";
}

int TestRun::Broken() const {
  int broken = 0;
  for (const Expectation &expectation : test->script.expectations)
    if (!Failure(expectation).empty()) ++broken;
  return broken;
}

TestTally Tally(const std::vector<TestRun> &runs) {
  TestTally tally;
  for (const TestRun &run : runs) {
    const bool flown = run.Error().empty();
    tally.expectations += flown ? run.test->script.expectations.size() : 0;
    tally.broken += flown ? static_cast<size_t>(run.Broken()) : 0;
    tally.unflown += flown ? 0 : 1;
    tally.seconds += run.seconds;
  }
  return tally;
}

std::vector<TestRun> RunTests(const std::vector<TestFile> &tests, const std::string &program, unsigned parallel) {
  std::vector<TestRun> runs(tests.size());
  std::atomic<size_t> next{0};
  const auto work = [&] {
    for (size_t i; (i = next++) < tests.size();) runs[i] = TestRun::Of(tests[i], program);
  };
  std::vector<std::thread> workers;
  for (unsigned n = 0; n < std::max(1u, parallel) && n < tests.size(); ++n) workers.emplace_back(work);
  for (std::thread &worker : workers) worker.join();
  return runs;
}
