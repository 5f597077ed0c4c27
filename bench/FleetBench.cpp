// Fleets of one class: N Kestrels of examples/kestrel/Scenarios/Fleet.scn
// loaded through the host, their memory and their frames. Targets: a vessel
// beyond the first costs at most 1 MB, a hundred load in 0.5 s, and a frame
// costs per vessel at N = 100 within 1.2 times N = 1.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "BenchSupport.h"

namespace {

constexpr double kStep = 0.02;

// Every fleet flies the same 100 s from the scenario's start. A vessel's frame
// costs more while its tanks settle than after hours of flight, so a count of
// frames left to the benchmark (millions for one vessel, thousands for a
// hundred) would compare one vessel's settled hours with a fleet's first
// minutes.
constexpr int kFramesFlown = 5000;

// The fleet scenario cut to its first n ships, as a scratch file.
std::string FleetOf(int n) {
  std::ifstream in("Scenarios/Fleet.scn");
  std::stringstream text;
  text << in.rdbuf();
  const std::string all = text.str();
  size_t end = all.find("BEGIN_SHIPS\n") + 12;
  for (int i = 0; i < n; ++i) end = all.find("END\n", end) + 4;
  const std::string path = "/tmp/genvessel-bench-fleet-" + std::to_string(n) + ".scn";
  std::ofstream(path) << all.substr(0, end) << "END_SHIPS\n";
  return path;
}

// The heap in use, MB: what the host and the modules hold, whatever the
// allocator keeps back from earlier runs.
double HeapMegabytes() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd) / (1024 * 1024);
}

void Load(host::Simulation &sim, const std::string &path) {
  sim.messageSink = [](const std::string &) {};
  std::string error;
  if (!sim.loadScenario(path, error)) std::abort();
}

void FleetLoad(benchmark::State &state) {
  WorkingFolder root{ExampleRoot("kestrel")};
  const int n = static_cast<int>(state.range(0));
  const std::string path = FleetOf(n);
  double held = 0;
  for (auto _ : state) {
    const double before = HeapMegabytes();
    host::Simulation sim;
    Load(sim, path);
    held = HeapMegabytes() - before;
  }
  state.counters["MB_per_vessel"] = held / n;
  state.counters["load_per_vessel"] =
      benchmark::Counter(n, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  std::remove(path.c_str());
}
BENCHMARK(FleetLoad)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

void FleetFrame(benchmark::State &state) {
  WorkingFolder root{ExampleRoot("kestrel")};
  const int n = static_cast<int>(state.range(0));
  const std::string path = FleetOf(n);
  host::Simulation sim;
  Load(sim, path);
  for (auto _ : state) sim.frame(sim.simTime + kStep);
  state.counters["time_per_vessel"] =
      benchmark::Counter(n, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  std::remove(path.c_str());
}
BENCHMARK(FleetFrame)->Arg(1)->Arg(10)->Arg(100)->Iterations(kFramesFlown)->Unit(benchmark::kMicrosecond);

}  // namespace
