#include <gtest/gtest.h>

#include <memory>

#include "OrbiterAPI.h"
#include "Simulation.h"

using host::Simulation;

TEST(Simulations, WhenTheNewestGoesTheOapiActsOnTheOneBefore) {
  Simulation *const before = Simulation::current();
  {
    Simulation older;
    EXPECT_EQ(Simulation::current(), &older);
    {
      Simulation newer;
      EXPECT_EQ(Simulation::current(), &newer);
    }
    EXPECT_EQ(Simulation::current(), &older);
    older.sysStep = 0.5;
    EXPECT_EQ(oapiGetSysStep(), 0.5);
  }
  EXPECT_EQ(Simulation::current(), before);
}

TEST(Simulations, AnOlderOneGoingLeavesTheNewestCurrentAndTheRestInOrder) {
  Simulation *const before = Simulation::current();
  auto oldest = std::make_unique<Simulation>();
  auto middle = std::make_unique<Simulation>();
  auto newest = std::make_unique<Simulation>();
  middle.reset();
  EXPECT_EQ(Simulation::current(), newest.get());
  newest.reset();
  EXPECT_EQ(Simulation::current(), oldest.get());
  oldest.reset();
  EXPECT_EQ(Simulation::current(), before);
}
