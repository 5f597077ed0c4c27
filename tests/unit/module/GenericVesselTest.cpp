#include "module/GenericVessel.h"

#include <gtest/gtest.h>

#include "HostFixture.h"

namespace {

class GenericVesselTest : public HostFixture {};

}  // namespace

TEST_F(GenericVesselTest, FreshVesselPublishesZeroUntilStepped) {
  host::Vessel *hv = OrbitingVessel("V");
  GenericVessel vessel(hv->handle(), 1);
  EXPECT_EQ(*static_cast<double *>(vessel.systems.ResolveReference("SHIP:ALTITUDE").address), 0.0);
  EXPECT_EQ(*static_cast<int32_t *>(vessel.systems.ResolveReference("SHIP:CUSTOMINT5").address), 0);
  EXPECT_EQ(vessel.systems.stages.Current(), 1);

  vessel.Update(0.0);
  EXPECT_NEAR(vessel.shipVariables.altitude, 300e3, 1e-6);
  EXPECT_EQ(vessel.shipVariables.customDbl[0], 0.0);
}

TEST_F(GenericVesselTest, DvToGoIsNegativeAboveCircularSpeedAndPositiveBelow) {
  GenericVessel fast(OrbitingVessel("Fast", 400e3, 1.01)->handle(), 1);
  GenericVessel slow(OrbitingVessel("Slow", 400e3, 0.99)->handle(), 1);
  GenericVessel exact(OrbitingVessel("Exact", 400e3)->handle(), 1);
  fast.Update(1.0);
  slow.Update(1.0);
  exact.Update(1.0);
  EXPECT_LT(fast.shipVariables.dvToGo, -70.0);
  EXPECT_GT(slow.shipVariables.dvToGo, 70.0);
  EXPECT_NEAR(exact.shipVariables.dvToGo, 0.0, 1e-6);
  host::Vessel *centre = OrbitingVessel("Centre");
  GenericVessel atCentre(centre->handle(), 1);
  centre->rpos = _V(0, 0, 0);  // no circular orbit there: its speed counts as 0
  atCentre.Update(2.0);
  EXPECT_TRUE(std::isfinite(atCentre.shipVariables.dvToGo));
}

TEST_F(GenericVesselTest, PublishesTheFirstSixPropellantsAndTwentyThrusters) {
  GenericVessel vessel(OrbitingVessel("V")->handle(), 1);
  std::vector<PROPELLANT_HANDLE> tanks;
  for (int i = 0; i < 8; ++i) tanks.push_back(vessel.CreatePropellantResource(100.0, 10.0 * (i + 1)));
  for (int i = 0; i < 25; ++i) {
    THRUSTER_HANDLE th = vessel.CreateThruster(_V(0, 0, 0), _V(0, 0, 1), 1.0, tanks[0], 1e9);
    vessel.SetThrusterLevel(th, (i + 1) / 100.0);
  }
  vessel.Update(0.0);
  for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(vessel.shipVariables.fuel[i], (i + 1) / 10.0);
  for (int i = 0; i < 20; ++i) EXPECT_DOUBLE_EQ(vessel.shipVariables.rcs[i], (i + 1) / 100.0);
}

TEST_F(GenericVesselTest, StatusVariablesBeyondTheReportedCountKeepTheirValues) {
  GenericVessel vessel(OrbitingVessel("V")->handle(), 1);
  vessel.shipVariables.fuel[1] = vessel.shipVariables.fuel[3] = 0.25;
  vessel.CreatePropellantResource(10.0, 5.0);
  vessel.Update(0.0);
  EXPECT_EQ(vessel.shipVariables.fuel[0], 0.5);
  EXPECT_EQ(vessel.shipVariables.fuel[1], 0.25);
  EXPECT_EQ(vessel.shipVariables.fuel[3], 0.25);
}

TEST_F(GenericVesselTest, DockVariablesFollowThePorts) {
  host::Vessel *hv = OrbitingVessel("V");
  GenericVessel vessel(hv->handle(), 1);
  vessel.CreateDock(_V(0, 0, 1), _V(0, 0, 1), _V(0, 1, 0));
  vessel.CreateDock(_V(0, 0, -1), _V(0, 0, -1), _V(0, 1, 0));
  hv->model.docks[1]->docked = true;
  vessel.Update(0.0);
  EXPECT_EQ(vessel.shipVariables.dock[0], 0.0);
  EXPECT_EQ(vessel.shipVariables.dock[1], 1.0);
  EXPECT_EQ(vessel.shipVariables.dock[5], 0.0);
}

TEST_F(GenericVesselTest, GroupLevelsAndTotalMassAreThoseOfTheHost) {
  GenericVessel vessel(OrbitingVessel("V")->handle(), 1);
  vessel.SetEmptyMass(1000.0);
  PROPELLANT_HANDLE tank = vessel.CreatePropellantResource(500.0);
  THRUSTER_HANDLE main = vessel.CreateThruster(_V(0, 0, -2), _V(0, 0, 1), 100.0, tank, 3000.0);
  THRUSTER_HANDLE hover = vessel.CreateThruster(_V(0, -1, 0), _V(0, 1, 0), 100.0, tank, 3000.0);
  vessel.CreateThrusterGroup(&main, 1, THGROUP_MAIN);
  vessel.CreateThrusterGroup(&hover, 1, THGROUP_HOVER);
  vessel.SetThrusterLevel(main, 0.75);
  vessel.SetThrusterLevel(hover, 0.5);
  vessel.Update(0.0);
  EXPECT_EQ(vessel.shipVariables.mainth, 0.75);
  EXPECT_EQ(vessel.shipVariables.hoverth, 0.5);
  EXPECT_EQ(vessel.shipVariables.retroth, 0.0);
  EXPECT_EQ(vessel.shipVariables.totalMass, 1500.0);
}

TEST(StepClock, StepsForwardOnlyFromItsOwnLastTime) {
  StepClock first(0.0), second(0.0), late(300.0);
  EXPECT_EQ(first.Advance(0.5), 0.5);
  EXPECT_EQ(second.Advance(0.5), 0.5);  // a second vessel still sees the whole frame
  EXPECT_NEAR(first.Advance(0.52), 0.02, 1e-12);
  EXPECT_EQ(first.Advance(0.1), 0.0);  // a clock that went back gives no step
  EXPECT_NEAR(late.Advance(300.02), 0.02, 1e-12);  // made at 300 s: not a 300 s step
}
