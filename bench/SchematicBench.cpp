// The plant's schematic of the Kestrel: drawn from the class as `vesselsim
// schematic` draws it (the module reads the class, Graphviz lays out and
// writes the SVG), and the live bench's per-frame reading of the values that
// colour it. Target: a drawing under 1 s.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "BenchSupport.h"
#include "GraphvizSvg.h"
#include "LiveSchematic.h"
#include "ModuleLibrary.h"
#include "PlantGraph.h"
#include "SchematicDot.h"

namespace {

void KestrelSchematic(benchmark::State &state) {
  WorkingFolder root{ExampleRoot("kestrel")};
  std::string error;
  const std::unique_ptr<host::ModuleLibrary> module = host::ModuleLibrary::load("genvessel", error);
  if (module == nullptr) std::abort();
  for (auto _ : state) {
    std::string drawing;
    const std::string svg = RenderSvg(SchematicDot(PlantGraph::OfClass(*module, "Kestrel", drawing)), drawing);
    if (svg.empty()) std::abort();
  }
}
BENCHMARK(KestrelSchematic)->Unit(benchmark::kMillisecond);

void KestrelSchematicValues(benchmark::State &state) {
  WorkingFolder root{ExampleRoot("kestrel")};
  host::Simulation sim;
  sim.messageSink = [](const std::string &) {};
  std::string error;
  if (!sim.loadScenario("Scenarios/Kestrel.scn", error)) std::abort();
  LiveSchematic schematic;
  schematic.Follow(sim.vessels().front().get());
  for (auto _ : state) benchmark::DoNotOptimize(schematic.Read());
}
BENCHMARK(KestrelSchematicValues)->Unit(benchmark::kMicrosecond);

}  // namespace
