// The onboard systems: one step of N fluid and N electric objects, and
// reading and building a configuration.
#include <benchmark/benchmark.h>

#include "AllocationCounter.h"
#include "BenchSupport.h"
#include "SyntheticVessel.h"

namespace {

void SystemsStep(benchmark::State &state) {
  const int n = static_cast<int>(state.range(0));
  BenchRoot root(SyntheticConfiguration(n));
  BenchVessel v;
  const StepInputs inputs = StepInputs::Sample(*v.vessel, 0.02);
  for (int i = 0; i < 10; ++i) v.vessel->systems.onboard.Step(inputs);
  const long long before = AllocationCount();
  for (auto _ : state) v.vessel->systems.onboard.Step(inputs);
  state.counters["objects"] = 2.0 * n;
  state.counters["time_per_object"] =
      benchmark::Counter(2.0 * n, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["allocations_per_step"] =
      static_cast<double>(AllocationCount() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(SystemsStep)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// Only the reading and building are timed: the file is written once.
void ParseConfiguration(benchmark::State &state) {
  BenchRoot root(SyntheticConfiguration(static_cast<int>(state.range(0)) / 2));
  for (auto _ : state) {
    BenchVessel v;
    benchmark::DoNotOptimize(v.vessel.get());
  }
}
BENCHMARK(ParseConfiguration)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
