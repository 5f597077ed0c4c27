// Scratch host roots and vessels for the benchmarks.
#pragma once

#include <memory>
#include <string>

#include "Simulation.h"
#include "module/GenericVessel.h"

// `folder` is the working folder while this lives; then the one before is
// again. The host finds a root's files from the working folder.
class WorkingFolder {
 public:
  explicit WorkingFolder(const std::string &folder);
  ~WorkingFolder();
  WorkingFolder(const WorkingFolder &) = delete;
  WorkingFolder &operator=(const WorkingFolder &) = delete;

 private:
  std::string previous;
};

// A temporary folder that is the working folder while it lives.
class ScratchRoot {
 public:
  ScratchRoot();
  ~ScratchRoot();
  ScratchRoot(const ScratchRoot &) = delete;
  ScratchRoot &operator=(const ScratchRoot &) = delete;

  void Write(const std::string &relativePath, const std::string &text) const;
  const std::string &Path() const { return root; }

 private:
  std::string root;
  std::unique_ptr<WorkingFolder> entered;
};

// A scratch root whose Config/Bench.cfg is `configuration`.
class BenchRoot : public ScratchRoot {
 public:
  explicit BenchRoot(const std::string &configuration);
};

// A module vessel built in this process (not through the host's module
// loading) from the working folder's Config/Bench.cfg, in a circular orbit.
struct BenchVessel {
  BenchVessel();

  host::Simulation sim;
  std::unique_ptr<GenericVessel> vessel;
};

// The example folder of `name` beside the sources.
std::string ExampleRoot(const std::string &name);
