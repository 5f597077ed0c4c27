// A vessel flown through nothing but the calls the real host makes: no
// bench hook is called, and what a tank shows before its first frame is
// what the flight starts from.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../module/WorkingFolder.h"
#include "Simulation.h"

namespace {

// A double of the vessel, read without changing anything.
double Read(const host::Vessel &vessel, const char *reference) {
  const char *type = nullptr;
  const void *address = vessel.module->bench.resolveReference(vessel.instance, reference, &type, nullptr, nullptr);
  EXPECT_STREQ(type, "double") << reference;
  return address != nullptr ? *static_cast<const double *>(address) : -1.0;
}

}  // namespace

// The capsule's liquid hydrogen (25 K) and its warm cabin (295 K) show
// their contents' temperatures from the restore on, not the 290 K a body is
// made with, and the first frame goes on from there.
TEST(HostOnlyRestore, ATankStartsFromItsContentsTemperatureInEveryHost) {
  WorkingFolder folder;
  folder.CopyIn(EXAMPLES_DIR "/capsule");
  host::Simulation sim;
  sim.messageSink = [](const std::string &) {};
  std::string error;
  ASSERT_TRUE(sim.loadScenario("Scenarios/Capsule.scn", error)) << error;
  const host::Vessel &capsule = *sim.vessels().front();
  ASSERT_NE(capsule.callbacks, nullptr);
  const double cold = Read(capsule, "HYDRAULIC:H2TANK:TEMP"), warm = Read(capsule, "HYDRAULIC:CABIN:TEMP");
  EXPECT_LT(cold, 30.0);
  EXPECT_GT(warm, 291.0);
  sim.frame(0.02);
  EXPECT_NEAR(Read(capsule, "HYDRAULIC:H2TANK:TEMP"), cold, 0.01);
  EXPECT_NEAR(Read(capsule, "HYDRAULIC:CABIN:TEMP"), warm, 0.01);
}
