// A headless host with plain-body vessels on which module objects are built.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Simulation.h"

class HostFixture : public ::testing::Test {
 protected:
  HostFixture() {
    sim.messageSink = [this](const std::string &m) { messages.push_back(m); };
  }

  // A vessel in a circular orbit `altitude` above the planet, moving at
  // `speedFactor` times circular speed.
  host::Vessel *OrbitingVessel(const std::string &name, double altitude = 300e3,
                               double speedFactor = 1.0) {
    return sim.createOrbitingVessel(name, "NoModuleClass", altitude, speedFactor);
  }

  host::Simulation sim;
  std::vector<std::string> messages;
};
