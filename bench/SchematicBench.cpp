// The plant's schematic of the Kestrel: drawn from the class as `vesselsim
// schematic` draws it (the module reads the class, Graphviz lays out and
// writes the SVG), and the live bench's look at it and its values as it
// composes a frame. Target: a drawing under 1 s.
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

// The live bench's look at the plant each time it composes the panel (up to
// 25 times a second), and its reading of the values that colour it.
void KestrelSchematicFrame(benchmark::State &state) {
  WorkingFolder root{ExampleRoot("kestrel")};
  host::Simulation sim;
  sim.messageSink = [](const std::string &) {};
  std::string error;
  if (!sim.loadScenario("Scenarios/Kestrel.scn", error)) std::abort();
  LiveSchematic schematic;
  const host::Vessel *vessel = sim.vessels().front().get();
  for (auto _ : state) {
    schematic.Follow(vessel);
    benchmark::DoNotOptimize(schematic.Read());
  }
}
BENCHMARK(KestrelSchematicFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
