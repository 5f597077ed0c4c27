#include "BenchSupport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

ScratchRoot::ScratchRoot() {
  char pattern[] = "/tmp/genvessel-bench-XXXXXX";
  root = ::mkdtemp(pattern);
  char *cwd = ::getcwd(nullptr, 0);
  previous = cwd;
  std::free(cwd);
  if (::chdir(root.c_str()) != 0) std::abort();
  ::mkdir("Config", 0755);
  ::mkdir("Config/Vessels", 0755);
}

ScratchRoot::~ScratchRoot() {
  if (::chdir(previous.c_str()) != 0) std::abort();
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
}

void ScratchRoot::Write(const std::string &relativePath, const std::string &text) const {
  std::ofstream(root + "/" + relativePath) << text;
}

BenchRoot::BenchRoot(const std::string &configuration) { Write("Config/Bench.cfg", configuration); }

BenchVessel::BenchVessel() {
  sim.messageSink = [](const std::string &) {};
  host::Vessel *v = sim.createVessel("Bench", "NoModule");
  const double r = sim.planet.radius + 300e3;
  v->rpos = _V(r, 0, 0);
  v->rvel = _V(0, 0, -std::sqrt(host::kGravitationalConstant * sim.planet.planetMass / r));
  vessel = std::make_unique<GenericVessel>(v->handle(), 1);
  vessel->systems.ReadVesselConfiguration("Bench");
  vessel->systems.SetConfiguration(1, true);
}

std::string ExampleRoot(const std::string &name) { return std::string(EXAMPLES_DIR) + "/" + name; }
