// An events file that is a vessel's test: its header names the scenario it
// flies ("# scenario: FILE") and may give the root ("# root: DIR"), the frame
// step ("# dt: SECONDS") and the length of the run ("# duration: SECONDS");
// paths are relative to the events file. The root is the scenario's folder's
// parent unless given, the step 0.02 s, the duration the latest time the file
// names.
#pragma once

#include <string>
#include <vector>

#include "EventScript.h"

struct TestFile {
  std::string path;      // as found
  std::string absolute;  // as the run is given it
  std::string scenario, root;
  double dt = 0.02, duration = -1.0;
  EventScript script;
  std::string error;  // why it cannot run; empty when it can

  // False for an events file without a scenario header: no test.
  static bool Read(const std::string &path, TestFile &test);
};

// Every test file under `folder`, in path order.
std::vector<TestFile> FindTestFiles(const std::string &folder, std::string &error);
