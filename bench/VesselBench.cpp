// The reference vessel through the host, as the simulator runs it: a whole
// frame, the panels' every-frame redraws, the attitude ball, a save and a
// restore.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "AllocationCounter.h"
#include "BenchSupport.h"
#include "VesselAPI.h"

namespace {

constexpr double kStep = 0.02;

// The Kestrel restored from its scenario, its fuel cells running.
class Kestrel {
 public:
  Kestrel() {
    sim.messageSink = [](const std::string &) {};
    std::string error;
    if (!sim.loadScenario("Scenarios/Kestrel.scn", error)) std::abort();
    vessel = sim.vessels().front().get();
    Set("ELECTRIC:SM_MAINA:RESET", 1);
    Set("ELECTRIC:SM_MAINB:RESET", 1);
    Set("ELECTRIC:SM_FC1:START", 1);
    Set("ELECTRIC:SM_FC2:START", 1);
    Run(100);
  }
  void Set(const char *reference, int32_t value) {
    const char *typeName = nullptr;
    void *address = vessel->module->bench.resolveReference(vessel->instance, reference, &typeName, nullptr, nullptr);
    if (address == nullptr || typeName == nullptr || std::string(typeName) != "int") std::abort();
    *static_cast<int32_t *>(address) = value;
  }
  void Run(int frames) {
    for (int i = 0; i < frames; ++i) sim.frame(sim.simTime + kStep);
  }

  WorkingFolder root{ExampleRoot("kestrel")};  // entered before the scenario loads, left after the host goes
  host::Simulation sim;
  host::Vessel *vessel;
};

void Timestep(benchmark::State &state) {
  Kestrel k;
  const long long before = AllocationCount();
  for (auto _ : state) {
    k.sim.simTime += kStep;
    k.vessel->callbacks->clbkPostStep(k.sim.simTime, kStep, 0);
  }
  state.counters["allocations_per_step"] =
      static_cast<double>(AllocationCount() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(Timestep)->Unit(benchmark::kMicrosecond);

// The module's step of a frame at 60 fps, at 1x and at 1000x time
// acceleration: the Kestrel's plant steps every 0.02 s of simulated time
// whatever the frame, so a 1000x frame (16.7 s) runs 833 or 834 of its steps
// and a 1x frame one or none.
void AcceleratedTimestep(benchmark::State &state) {
  Kestrel k;
  const double frame = static_cast<double>(state.range(0)) / 60.0;
  for (auto _ : state) {
    k.sim.simTime += frame;
    k.vessel->callbacks->clbkPostStep(k.sim.simTime, frame, 0);
  }
  state.counters["plant_steps_per_frame"] = frame / kStep;
  state.SetLabel(std::to_string(state.range(0)) + "x at 60 fps");
}
BENCHMARK(AcceleratedTimestep)->Arg(1)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The host's whole frame without panels: physics and the module's step.
void HeadlessFrame(benchmark::State &state) {
  Kestrel k;
  for (auto _ : state) k.Run(1);
  state.counters["times_real_time"] =
      benchmark::Counter(kStep, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(HeadlessFrame)->Unit(benchmark::kMicrosecond);

// The whole frame with the navigation panel shown: the attitude ball is
// rendered again only when it has turned by a pixel, so in a quiet orbit the
// frame costs little more than a headless one.
void NavigationPanelShownFrame(benchmark::State &state) {
  Kestrel k;
  k.sim.panels.showPanel(*k.vessel, 1);
  k.Run(1);
  for (auto _ : state) k.Run(1);
  state.counters["times_real_time"] =
      benchmark::Counter(kStep, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(NavigationPanelShownFrame)->Unit(benchmark::kMicrosecond);

void PanelFrame(benchmark::State &state) {
  Kestrel k;
  k.sim.panels.showPanel(*k.vessel, static_cast<int>(state.range(0)));
  k.sim.panels.frame();
  for (auto _ : state) k.sim.panels.frame();
  state.SetLabel(state.range(0) == 0 ? "main panel, 35 areas" : "navigation panel: ball, plot, MFD");
}
BENCHMARK(PanelFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One frame of the attitude ball alone, its area's every-frame redraw, while
// it does not turn: shown, not rendered again.
void AttitudeBallFrame(benchmark::State &state) {
  Kestrel k;
  k.sim.panels.showPanel(*k.vessel, 1);
  const host::PanelArea *ball = nullptr;
  for (const host::PanelArea &area : k.sim.panels.areas())
    if (area.rect.right - area.rect.left == 160) ball = &area;
  if (ball == nullptr) std::abort();
  for (auto _ : state)
    k.vessel->callbacks->clbkPanelRedrawEvent(ball->id, PANEL_REDRAW_ALWAYS, ball->surface);
}
BENCHMARK(AttitudeBallFrame)->Unit(benchmark::kMicrosecond);

void SaveScenario(benchmark::State &state) {
  Kestrel k;
  const std::string path = "/tmp/genvessel-bench-save.scn";
  std::string error;
  for (auto _ : state) k.sim.saveScenario(path, error);
  std::remove(path.c_str());
}
BENCHMARK(SaveScenario)->Unit(benchmark::kMicrosecond);

void RestoreScenario(benchmark::State &state) {
  Kestrel k;
  const std::string path = "/tmp/genvessel-bench-restore.scn";
  std::string error;
  k.sim.saveScenario(path, error);
  for (auto _ : state) {
    host::Simulation restored;
    restored.messageSink = [](const std::string &) {};
    restored.loadScenario(path, error);
  }
  std::remove(path.c_str());
}
BENCHMARK(RestoreScenario)->Unit(benchmark::kMicrosecond);

}  // namespace
