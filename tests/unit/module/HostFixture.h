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
    host::Vessel *v = sim.createVessel(name, "NoModuleClass");
    const double r = sim.planet.radius + altitude;
    v->rpos = _V(r, 0, 0);
    v->rvel = _V(0, 0, -std::sqrt(host::kGravitationalConstant * sim.planet.planetMass / r) * speedFactor);
    return v;
  }

  host::Simulation sim;
  std::vector<std::string> messages;
};
