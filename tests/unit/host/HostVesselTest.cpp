#include <gtest/gtest.h>

#include <vector>

#include "../module/HostFixture.h"
#include "VesselAPI.h"

namespace {

class HostVessel : public HostFixture {};

}  // namespace

TEST_F(HostVessel, OrientationAnglesRoundTrip) {
  const VECTOR3 angles = _V(0.3, -0.7, 2.1);
  const VECTOR3 back = host::Rotation::fromAngles(angles).toAngles();
  EXPECT_NEAR(back.x, angles.x, 1e-12);
  EXPECT_NEAR(back.y, angles.y, 1e-12);
  EXPECT_NEAR(back.z, angles.z, 1e-12);
}

TEST_F(HostVessel, AttitudeQueriesAgainstTheLocalHorizon) {
  host::Vessel *v = OrbitingVessel("V");  // over the equator on +x
  // Nose along +x (straight up), then turned about its own axes.
  v->attitude = host::Rotation::fromAngles(_V(0, M_PI / 2, 0));
  EXPECT_NEAR(v->pitch(), M_PI / 2, 1e-9);
  // Level, nose east (-z here), top towards the sky (+x).
  const double level[3][3] = {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) v->attitude.m[i][j] = level[i][j];
  EXPECT_NEAR(v->pitch(), 0.0, 1e-12);
  EXPECT_NEAR(v->bank(), 0.0, 1e-12);
  EXPECT_NEAR(v->heading(), M_PI / 2, 1e-12);
  v->attitude.turnLocal(_V(0, 0, 0.2));  // roll about the nose
  EXPECT_NEAR(v->bank(), 0.2, 1e-9);
  EXPECT_NEAR(v->pitch(), 0.0, 1e-12);
  EXPECT_NEAR(v->heading(), M_PI / 2, 1e-12);
  v->attitude.turnLocal(_V(-0.2, 0, 0));  // nose up
  EXPECT_GT(v->pitch(), 0.19);
}

TEST_F(HostVessel, AtmosphereFallsExponentiallyAndAirspeedIsRelativeToIt) {
  host::Vessel *v = OrbitingVessel("V", 8500.0);
  VESSEL api(v->handle());
  EXPECT_NEAR(api.GetAtmDensity(), 1.225 / M_E, 1e-9);
  EXPECT_NEAR(api.GetAtmPressure(), 101325 / M_E, 1e-6);
  v->rvel = sim.planet.atmosphereVelocity(v->rpos);
  double airspeed = -1;
  EXPECT_TRUE(oapiGetAirspeed(v->handle(), &airspeed));
  EXPECT_NEAR(airspeed, 0.0, 1e-9);
  EXPECT_FALSE(oapiGetAirspeed(&airspeed, &airspeed));  // not a vessel
}

TEST_F(HostVessel, EachHandleFindsItsOwnVesselAndNothingElseFindsOne) {
  std::vector<host::Vessel *> made;
  for (const char *name : {"A", "B", "C", "D", "E"}) made.push_back(OrbitingVessel(name));
  for (host::Vessel *v : made) EXPECT_EQ(sim.vessel(v->handle()), v);
  EXPECT_EQ(sim.vessel(reinterpret_cast<char *>(made[2]) + 1), nullptr);
  EXPECT_EQ(sim.vessel(sim.planet.handle()), nullptr);
  EXPECT_EQ(sim.vessel(nullptr), nullptr);
}

TEST_F(HostVessel, ThrustAcceleratesAndBurnsAtThrustOverIsp) {
  host::Vessel *v = OrbitingVessel("V", 400e3);
  host::Vessel *coasting = OrbitingVessel("Coasting", 400e3);
  VESSEL api(v->handle());
  api.SetEmptyMass(900.0);
  PROPELLANT_HANDLE tank = api.CreatePropellantResource(100.0);
  THRUSTER_HANDLE th = api.CreateThruster(_V(0, 0, 0), _V(0, 0, 1), 1000.0, tank, 2000.0);
  api.SetThrusterLevel(th, 1.0);
  sim.frame(1.0);
  EXPECT_NEAR(api.GetPropellantMass(tank), 100.0 - 0.5, 1e-9);
  // 1000 N on 1000 kg along +z, beside what gravity does to both.
  EXPECT_NEAR(v->rvel.z - coasting->rvel.z, 1.0, 1e-3);
}

TEST_F(HostVessel, ThrusterStopsWhenItsTankIsEmptyAndTurnsTheVesselOffAxis) {
  host::Vessel *v = OrbitingVessel("V", 400e3);
  VESSEL api(v->handle());
  api.SetEmptyMass(100.0);
  api.SetPMI(_V(1, 1, 1));
  PROPELLANT_HANDLE tank = api.CreatePropellantResource(1.0);
  THRUSTER_HANDLE th = api.CreateThruster(_V(0, 1, 0), _V(0, 0, 1), 100.0, tank, 50.0);
  api.SetThrusterLevel(th, 1.0);
  sim.frame(0.25);  // needs 0.5 kg
  sim.frame(0.75);  // needs 1.5 kg of the 0.5 left
  EXPECT_EQ(api.GetPropellantMass(tank), 0.0);
  EXPECT_NE(v->vrot.x, 0.0);  // thrust above the centre of mass pitches
  const VECTOR3 spin = v->vrot;
  sim.frame(2.0);
  EXPECT_EQ(v->vrot.x, spin.x);
}

TEST_F(HostVessel, DeletedPropellantUnfeedsItsThrustersAndStaleHandlesAreHarmless) {
  host::Vessel *v = OrbitingVessel("V");
  VESSEL api(v->handle());
  PROPELLANT_HANDLE tank = api.CreatePropellantResource(10.0);
  PROPELLANT_HANDLE stale = tank;
  THRUSTER_HANDLE th = api.CreateThruster(_V(0, 0, 0), _V(0, 0, 1), 10.0, tank);
  api.CreateThrusterGroup(&th, 1, THGROUP_MAIN);
  api.DelPropellantResource(tank);
  EXPECT_EQ(tank, nullptr);
  EXPECT_EQ(v->model.findThruster(th)->resource, nullptr);
  EXPECT_EQ(api.GetPropellantMass(stale), 0.0);
  api.SetPropellantMass(stale, 5.0);  // fills nothing, brings nothing back
  EXPECT_EQ(api.GetPropellantMass(stale), 0.0);
  EXPECT_TRUE(v->model.propellants.empty());
  api.ClearThrusterDefinitions();
  EXPECT_TRUE(v->model.thrusters.empty());
  api.SetThrusterLevel(th, 1.0);  // the group went with its thruster
  EXPECT_EQ(api.GetThrusterGroupLevel(THGROUP_MAIN), 0.0);
}

TEST_F(HostVessel, StatusListsRespectTheCallersSizeOrAreAllocated) {
  host::Vessel *v = OrbitingVessel("V");
  VESSEL api(v->handle());
  for (int i = 0; i < 5; ++i) api.CreatePropellantResource(10.0, i);
  VESSELSTATUS2::FUELSPEC list[3];
  VESSELSTATUS2 status = {};
  status.version = 2;
  status.flag = VS_FUELLIST;
  status.nfuel = 3;
  status.fuel = list;
  api.GetStatusEx(&status);
  EXPECT_EQ(status.nfuel, 3u);
  EXPECT_EQ(list[2].level, 0.2);

  VESSELSTATUS2 allocated = {};
  allocated.version = 2;
  allocated.flag = VS_FUELLIST;
  api.GetStatusEx(&allocated);
  ASSERT_EQ(allocated.nfuel, 5u);
  EXPECT_EQ(allocated.fuel[4].level, 0.4);
  delete[] allocated.fuel;
}

TEST_F(HostVessel, CentreOfMassShiftKeepsTheVesselInPlace) {
  host::Vessel *v = OrbitingVessel("V");
  VESSEL api(v->handle());
  THRUSTER_HANDLE th = api.CreateThruster(_V(0, 0, -5), _V(0, 0, 1), 10.0);
  VECTOR3 nozzleBefore;
  api.Local2Rel(_V(0, 0, -5), nozzleBefore);
  api.ShiftCentreOfMass(_V(0, 0, 2));
  const VECTOR3 moved = v->model.findThruster(th)->position;
  EXPECT_EQ(moved.z, -7.0);
  VECTOR3 nozzleAfter;
  api.Local2Rel(moved, nozzleAfter);
  EXPECT_NEAR(nozzleAfter.x, nozzleBefore.x, 1e-6);
  EXPECT_NEAR(nozzleAfter.z, nozzleBefore.z, 1e-6);
}

TEST_F(HostVessel, FramesOfTheVesselAndTheBodies) {
  host::Vessel *v = OrbitingVessel("V");
  VESSEL api(v->handle());
  VECTOR3 rel, glob, local;
  api.GetRelativePos(api.GetGravityRef(), rel);
  EXPECT_EQ(rel.x, v->rpos.x);
  api.GetGlobalPos(glob);
  EXPECT_EQ(glob.x, sim.planet.position.x + v->rpos.x);
  // The sun at the origin lies along -x, which is the vessel's -x too.
  api.Global2Local(_V(0, 0, 0), local);
  EXPECT_LT(local.x, 0.0);
  EXPECT_EQ(oapiGetMass(api.GetGravityRef()), sim.planet.planetMass);
  EXPECT_EQ(oapiGetSize(api.GetGravityRef()), sim.planet.radius);
  EXPECT_EQ(oapiGetMass(nullptr), 0.0);
}

TEST_F(HostVessel, CreatedVesselsJoinTheSimulation) {
  host::Vessel *v = OrbitingVessel("V");
  VESSELSTATUS status;
  VESSEL(v->handle()).GetStatus(status);
  status.rpos.y += 10.0;
  OBJHANDLE stage = oapiCreateVessel("V_stage", "NoSuchClass", status);
  host::Vessel *created = sim.vessel(stage);
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->rpos.y, 10.0);
  EXPECT_EQ(created->rvel.z, v->rvel.z);
  EXPECT_EQ(sim.findVessel("v_stage"), created);
}

TEST_F(HostVessel, MissingMeshIsReportedNotFatal) {
  EXPECT_EQ(oapiLoadMeshGlobal("NoSuchMesh"), nullptr);
  ASSERT_FALSE(messages.empty());
  EXPECT_NE(messages.back().find("NoSuchMesh"), std::string::npos);
  host::Vessel *v = OrbitingVessel("V");
  EXPECT_EQ(VESSEL(v->handle()).AddMesh(nullptr), (UINT)-1);
}

TEST(HostWithoutSimulation, VesselOnAnUnknownHandleAnswersSafely) {
  int notAVessel = 0;
  VESSEL api(&notAVessel);
  EXPECT_EQ(api.GetMass(), 0.0);
  EXPECT_EQ(api.DockingStatus(3), 0u);
  EXPECT_STREQ(api.GetName(), "detached");
}
