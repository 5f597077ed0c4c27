#include "BenchSupport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

WorkingFolder::WorkingFolder(const std::string &folder) {
  char *cwd = ::getcwd(nullptr, 0);
  if (cwd == nullptr) std::abort();
  previous = cwd;
  std::free(cwd);
  if (::chdir(folder.c_str()) != 0) std::abort();
}

WorkingFolder::~WorkingFolder() {
  if (::chdir(previous.c_str()) != 0) std::abort();
}

ScratchRoot::ScratchRoot() {
  char pattern[] = "/tmp/genvessel-bench-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) std::abort();
  root = pattern;
  entered = std::make_unique<WorkingFolder>(root);
  ::mkdir("Config", 0755);
  ::mkdir("Config/Vessels", 0755);
}

ScratchRoot::~ScratchRoot() {
  entered.reset();  // out of the folder before it goes
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
}

void ScratchRoot::Write(const std::string &relativePath, const std::string &text) const {
  std::ofstream(root + "/" + relativePath) << text;
}

BenchRoot::BenchRoot(const std::string &configuration) { Write("Config/Bench.cfg", configuration); }

BenchVessel::BenchVessel() {
  sim.messageSink = [](const std::string &) {};
  host::Vessel *v = sim.createOrbitingVessel("Bench", "NoModule", 300e3);
  vessel = std::make_unique<GenericVessel>(v->handle(), 1);
  vessel->systems.ReadVesselConfiguration("Bench");
  vessel->systems.SetConfiguration(1, true);
}

std::string ExampleRoot(const std::string &name) { return std::string(EXAMPLES_DIR) + "/" + name; }
