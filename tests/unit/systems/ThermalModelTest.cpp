#include "systems/ThermalModel.h"

#include <gtest/gtest.h>

#include <cmath>

#include "../module/HostFixture.h"
#include "systems/electric/Battery.h"

namespace {

class Thermal : public HostFixture {
 protected:
  Thermal() {
    host = OrbitingVessel("V");
    vessel = std::make_unique<VESSEL>(host->handle());
  }

  // A body facing `normal` at `kelvin`, 1 m², 1 kg of 1 J/(kg K).
  ThermalBody &Body(const Vec3 &normal, double kelvin = 3.0) {
    bodies.push_back(std::make_unique<ThermalBody>());
    ThermalBody &b = *bodies.back();
    b.position = normal;
    b.specificHeat = 1;
    b.mass = 1;
    b.area = 1;
    b.SetTemperature(kelvin);
    model.Register(&b);
    return b;
  }
  // A frame of one step, as the plant takes it.
  void Step(const StepInputs &inputs) {
    model.Face(inputs);
    model.Exchange(inputs.dt);
  }

  host::Vessel *host;
  std::unique_ptr<VESSEL> vessel;
  ThermalModel model;
  std::vector<std::unique_ptr<ThermalBody>> bodies;
};

}  // namespace

// The planet lies on +x of the sun; identity attitude: vessel axes are global axes.
TEST_F(Thermal, BetweenSunAndPlanetTheDaySideReflects) {
  host->rpos = _V(-7e6, 0, 0);
  ThermalBody &toPlanet = Body(Vec3(1, 0, 0));
  ThermalBody &toSun = Body(Vec3(-1, 0, 0));
  Step(StepInputs::Sample(*vessel, 1.0));
  EXPECT_EQ(model.sunlit, 1);
  EXPECT_NEAR(model.daySide, std::pow(6.371e6 / 7e6, 2), 1e-6);
  EXPECT_NEAR(toPlanet.heatContent - 3.0, 490.0, 1e-3);
  EXPECT_NEAR(toSun.heatContent - 3.0, 1372.0, 1e-3);
  // Each flux falls with the cosine of its angle to the normal.
  ThermalBody &sunAt60 = Body(Vec3(-0.5, std::sqrt(0.75), 0));
  ThermalBody &planetAt60 = Body(Vec3(0.5, std::sqrt(0.75), 0));
  Step(StepInputs::Sample(*vessel, 1.0));
  EXPECT_NEAR(sunAt60.heatContent - 3.0, 1372.0 / 2, 1e-3);
  EXPECT_NEAR(planetAt60.heatContent - 3.0, 490.0 / 2, 1e-3);
}

// The planet 120 degrees from the sun shows half its lit face; at 60 degrees
// the vessel is inside the shadow cone, whose half angle is asin(R / d), 65.5.
TEST_F(Thermal, TheDaySideAndTheShadowFollowTheSunAngle) {
  const double d = 7e6, s = std::sqrt(0.75);
  host->rpos = _V(-0.5 * d, -s * d, 0);
  Step(StepInputs::Sample(*vessel, 0));
  EXPECT_EQ(model.sunlit, 1);
  EXPECT_NEAR(model.daySide, 0.5 * std::pow(6.371e6 / d, 2), 1e-4);  // the sun is not infinitely far
  host->rpos = _V(0.5 * d, -s * d, 0);
  Step(StepInputs::Sample(*vessel, 0));
  EXPECT_EQ(model.sunlit, 0);
  EXPECT_EQ(model.daySide, 0.0);
}

// A battery pack holds 25 kJ per kelvin and radiates from 0.2 m².
TEST_F(Thermal, ABatteryPackRadiatesFromItsArea) {
  host->rpos = _V(7e6, 0, 0);
  Battery battery("BATT", nullptr, 1000);
  battery.position = Vec3(1, 0, 0);  // away from the planet, in its shadow
  model.Register(&battery);
  Step(StepInputs::Sample(*vessel, 1.0));
  EXPECT_NEAR((290.0 - battery.temperature) * 25000.0, 5.67e-8 * std::pow(287.0, 4) * 0.2, 1e-3);
}

TEST_F(Thermal, BehindThePlanetOnlyItsGlowArrives) {
  host->rpos = _V(7e6, 0, 0);
  ThermalBody &toPlanet = Body(Vec3(-1, 0, 0));
  ThermalBody &toSun = Body(Vec3(-1, 0, 0) * -1.0);
  Step(StepInputs::Sample(*vessel, 1.0));
  EXPECT_EQ(model.sunlit, 0);
  EXPECT_EQ(model.daySide, 0.0);
  EXPECT_NEAR(toPlanet.heatContent - 3.0, 190.0, 1e-3);
  EXPECT_NEAR(toSun.heatContent, 3.0, 1e-9);
}

TEST_F(Thermal, RadiationIsTheFourthPowerOfTheExcessAndScalesWithStepAndInsulation) {
  host->rpos = _V(7e6, 0, 0);
  ThermalBody &cold = Body(Vec3(1, 0, 0), 3.0);  // faces away: no flux, no loss
  ThermalBody &warm = Body(Vec3(1, 0, 0), 303.0);
  warm.insulation = 0.5;
  Step(StepInputs::Sample(*vessel, 0.0));
  EXPECT_EQ(warm.heatContent, 303.0);
  Step(StepInputs::Sample(*vessel, 2.0));
  EXPECT_EQ(cold.heatContent, 3.0);
  EXPECT_NEAR(303.0 - warm.heatContent, 5.67e-8 * std::pow(300.0, 4) * 2.0 * 0.5, 1e-3);
}

TEST_F(Thermal, ALowOrbitPassesThroughTheShadowAndTheAttitudeTurnsTheSun) {
  int sunlitSteps = 0, steps = 0;
  for (double t = 60; t <= 5400; t += 60, ++steps) {
    sim.frame(t);
    Step(StepInputs::Sample(*vessel, 0));
    sunlitSteps += model.sunlit;
  }
  EXPECT_GT(sunlitSteps, steps / 2);
  EXPECT_LT(sunlitSteps, steps);
  host->rpos = _V(-7e6, 0, 0);
  Step(StepInputs::Sample(*vessel, 0));
  EXPECT_NEAR(model.sunDirection.x, -1.0, 1e-7);
  host->attitude = host::Rotation::fromAngles(_V(0, M_PI / 2, 0));
  Step(StepInputs::Sample(*vessel, 0));
  EXPECT_NEAR(std::fabs(model.sunDirection.z), 1.0, 1e-7);
}

TEST_F(Thermal, ZeroPositionsNormaliseToZeroAndReceiveNothing) {
  host->rpos = _V(-7e6, 0, 0);
  ThermalBody &b = Body(Vec3());
  ThermalBody &n = Body(Vec3(0, 3, 4));
  model.FinishConfiguration();
  EXPECT_NEAR(n.position.Length(), 1.0, 1e-7);
  Step(StepInputs::Sample(*vessel, 1.0));
  EXPECT_EQ(b.heatContent, 3.0);
  EXPECT_TRUE(std::isfinite(n.heatContent));
}
