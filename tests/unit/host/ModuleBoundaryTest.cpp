// The module as the host loads it: its own library (libgenvessel.so, or under
// Wine genvessel.dll, which reaches the host's API through orbiter.exe by the
// host's own decorated names, with the compiler's runtime of its own). What
// crosses between the two arrives as it was sent, and nothing thrown inside
// the module reaches the host.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../module/WorkingFolder.h"
#include "Simulation.h"
#include "VesselAPI.h"

namespace {

class ModuleBoundary : public ::testing::Test {
 protected:
  ModuleBoundary() {
    for (const auto &entry : std::filesystem::directory_iterator(TEST_DATA_DIR "/stages"))
      std::filesystem::copy(entry.path(), entry.path().filename(), std::filesystem::copy_options::recursive);
    sim.messageSink = [](const std::string &) {};  // the host's own messages are not tested here
    std::string error;
    EXPECT_TRUE(sim.loadScenario("Scenarios/Stages.scn", error)) << error;
    stages = sim.findVessel("Stages-1");
  }

  // A double the module keeps, through its own reference resolution.
  double Variable(const char *reference) const {
    const char *type = nullptr;
    const void *address = stages->module->bench.resolveReference(stages->instance, reference, &type, nullptr, nullptr);
    EXPECT_STREQ(type, "double") << reference;
    return address != nullptr ? *static_cast<const double *>(address) : -1.0;
  }

  WorkingFolder folder;  // first made, last gone: the module logs into it
  host::Simulation sim;
  host::Vessel *stages = nullptr;
};

void ExpectVector(const VECTOR3 &actual, double x, double y, double z) {
  EXPECT_EQ(actual.x, x);
  EXPECT_EQ(actual.y, y);
  EXPECT_EQ(actual.z, z);
}

}  // namespace

// The host keeps a module vessel only when ovcInit hands back the VESSEL
// whose constructor it saw.
TEST_F(ModuleBoundary, WhatCrossesTheBoundaryArrivesAsSent) {
  ASSERT_NE(stages, nullptr);
  ASSERT_NE(stages->instance, nullptr);
  EXPECT_EQ(stages->instance, stages->interfaceAddress);
  ASSERT_NE(stages->callbacks, nullptr);
  EXPECT_EQ(stages->module->moduleVersion, 160828);
  // Member calls with references and doubles: the first stage's thrusters and
  // shape, as its configuration gives them (the vent's two come after).
  const host::VesselModel &model = stages->model;
  ASSERT_EQ(model.thrusters.size(), 4u);
  const host::Thruster &main = *model.thrusters[0];
  ExpectVector(main.position, 0, 0, -3);
  ExpectVector(main.direction, 0, 0, 1);
  EXPECT_EQ(main.maxThrust, 800.0);
  EXPECT_EQ(main.isp, 3000.0);
  EXPECT_EQ(main.ispRef, 2500.0);
  EXPECT_EQ(main.pressureRef, 101400.0);
  ExpectVector(model.thrusters[1]->direction, 0, -1, 0);
  ExpectVector(model.pmi, 2, 2, 1);
  EXPECT_EQ(model.size, 3.0);
  sim.frame(0.1);
  // double results
  EXPECT_EQ(Variable("SHIP:ALTITUDE"), stages->altitude());
  EXPECT_EQ(Variable("SHIP:TOTALMASS"), stages->mass());
  // A separation fills a VESSELSTATUS through GetStatus and hands it back to
  // oapiCreateVessel: the part leaves with the vessel's velocity.
  const size_t before = sim.vessels().size();
  char keys[256] = {};
  stages->callbacks->clbkConsumeBufferedKey(OAPI_KEY_J, true, keys);
  ASSERT_EQ(sim.vessels().size(), before + 1);
  const host::Vessel &part = *sim.vessels().back();
  EXPECT_EQ(part.className, "StagesDrop");
  ExpectVector(part.rvel, stages->rvel.x, stages->rvel.y, stages->rvel.z);
  EXPECT_EQ(stages->model.thrusters[0]->maxThrust, 900.0);
  // bool results: the module reads its saved block back line by line until
  // the host says there is none left, and comes back in its second stage.
  std::string error;
  ASSERT_TRUE(sim.saveScenario("Scenarios/Separated.scn", error)) << error;
  host::Simulation restored;
  ASSERT_TRUE(restored.loadScenario("Scenarios/Separated.scn", error)) << error;
  const host::Vessel *again = restored.findVessel("Stages-1");
  ASSERT_NE(again, nullptr);
  ASSERT_FALSE(again->model.thrusters.empty());
  EXPECT_EQ(again->model.thrusters[0]->maxThrust, 900.0);
}

TEST_F(ModuleBoundary, AFailureInsideACallbackEndsThereAndIsLogged) {
  ASSERT_NE(stages, nullptr);
  ASSERT_NE(stages->module->bench.failNextCallback, nullptr);
  stages->module->bench.failNextCallback();
  sim.frame(0.1);
  EXPECT_NE(folder.Read("Varneldebug.txt").find("clbkPostStep failed inside the module (std::bad_alloc); "
                                                "the call was abandoned"),
            std::string::npos)
      << folder.Read("Varneldebug.txt");
  // Every vessel steps on afterwards.
  sim.frame(0.2);
  EXPECT_EQ(Variable("SHIP:ALTITUDE"), stages->altitude());
}
