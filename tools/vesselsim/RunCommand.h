// `vesselsim run`: a scenario stepped at a fixed frame length, with scripted
// events, recorded variables and a saved end state.
#pragma once

#include <string>
#include <vector>

struct RunOptions {
  std::string scenario;
  std::string root = ".";
  double dt = 0.02;
  double duration = -1.0;
  long long steps = -1;
  std::string vessel;
  std::vector<std::string> watches;
  double every = 0.0;  // 0: every frame
  std::string csv;
  std::string events;
  std::string save;
  int panel = -1;      // shown from the start
  std::string png;     // the shown panel at the end
  std::string plot;    // charts of the watched variables
  bool describe = false;
  bool quiet = false;
};

// Returns the process exit status: 0 success, 1 an expectation broken, 2 bad
// usage or unreadable input.
int RunScenario(const RunOptions &options);
