// The live bench's figures on the Kestrel: a frame's panel picture composed
// and encoded ready to send, a click on the battery switch to its new
// picture encoded, and the vessel rebuilt after its configuration is saved
// (from the save to the rebuilt vessel, the watcher's settling included).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "BenchSupport.h"
#include "LiveBench.h"
#include "wincanvas.h"

namespace {

constexpr double kStep = 0.02;

void ShowKestrel(host::Simulation &sim) {
  sim.messageSink = [](const std::string &) {};
  std::string error;
  if (!sim.loadScenario("Scenarios/Kestrel.scn", error)) std::abort();
  if (!sim.panels.showPanel(*sim.vessels().front(), 0)) std::abort();
}

std::string EncodedPicture(host::Simulation &sim) {
  std::string error, png;
  HBITMAP canvas = sim.panels.composePicture(error);
  if (canvas == nullptr || !wincanvas::encodePng(canvas, png, error)) std::abort();
  DeleteObject(canvas);
  return png;
}

void PanelPictureEncoded(benchmark::State &state) {
  WorkingFolder root{ExampleRoot("kestrel")};
  host::Simulation sim;
  ShowKestrel(sim);
  for (auto _ : state) {
    sim.frame(sim.simTime + kStep);
    benchmark::DoNotOptimize(EncodedPicture(sim));
  }
}
BENCHMARK(PanelPictureEncoded)->Unit(benchmark::kMillisecond);

// The switch's upper half turns the battery's load on, its lower half off.
void ClickToPicture(benchmark::State &state) {
  WorkingFolder root{ExampleRoot("kestrel")};
  host::Simulation sim;
  ShowKestrel(sim);
  bool upper = true;
  for (auto _ : state) {
    sim.panels.click(90, upper ? 205 : 235, false);
    upper = !upper;
    benchmark::DoNotOptimize(EncodedPicture(sim));
  }
}
BENCHMARK(ClickToPicture)->Unit(benchmark::kMillisecond);

void KestrelReload(benchmark::State &state) {
  const std::filesystem::path scratch = std::filesystem::temp_directory_path() / "genvessel-bench-reload";
  std::filesystem::remove_all(scratch);
  std::filesystem::copy(ExampleRoot("kestrel"), scratch, std::filesystem::copy_options::recursive);
  {
    WorkingFolder root{scratch.string()};
    ServeOptions options;
    LiveBench bench(options, (scratch / "Scenarios/Kestrel.scn").string());
    bench.start();
    for (auto _ : state) {
      const int before = bench.state()["reload"]["count"];
      const auto saved = std::chrono::steady_clock::now();
      std::ofstream("Config/Kestrel.cfg", std::ios::app) << "# saved again\n";
      while (bench.state()["reload"]["count"] == before) std::this_thread::sleep_for(std::chrono::milliseconds(2));
      state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - saved).count());
    }
    bench.stop();
  }
  std::filesystem::remove_all(scratch);
}
BENCHMARK(KestrelReload)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
