#include <gtest/gtest.h>

#include "../module/ConfigFixture.h"
#include "systems/fluid/FluidObject.h"

namespace {

const char *kStack =
    "<VESSEL>\n<ELEMENTS>\n<Top> top 100 1 4\n<0 0 1>\n<0 0 1>\n<0 0 1>\n</Top>\n"
    "<Bottom> bottom 300 1 2\n<0 0 -1>\n</Bottom>\n</ELEMENTS>\n</VESSEL>\n"
    "<KEYBOARD>\nOAPI_KEY_J SEPARATION 2\nOAPI_KEY_K separation 3\nOAPI_KEY_M SEPARATION 3\n"
    "OAPI_KEY_L LIGHTS 3\n</KEYBOARD>\n"
    "<SEPARATION>\n<CONFIG> 2\n<EJECT> Booster <0 0 -10> <0 0.5 0>\n<CGOFFSET> <0 0 2>\n</CONFIG>\n"
    "<CONFIG> 2\n<EJECT> Skirt <1 0 0> <0 0 0>\n</CONFIG>\n</SEPARATION>\n";

class Separation : public ConfigFixture {
 protected:
  void Press(int key) { vessel->systems.OnKey(key); }
};

}  // namespace

TEST_F(Separation, OnlyTheNextConfigurationIsAccepted) {
  Load(kStack);
  Press(OAPI_KEY_K);  // configuration 3 from 1: nothing
  EXPECT_EQ(vessel->systems.stages.Current(), 1);
  EXPECT_EQ(sim.vessels().size(), 1u);
  Press(OAPI_KEY_J);
  EXPECT_EQ(vessel->systems.stages.Current(), 2);
  EXPECT_EQ(sim.vessels().size(), 3u);
  Press(OAPI_KEY_J);  // again: nothing
  EXPECT_EQ(sim.vessels().size(), 3u);
  Press(OAPI_KEY_L);  // not a separation
  EXPECT_EQ(vessel->systems.stages.Current(), 2);
  Press(OAPI_KEY_K);  // lower-case action word still separates
  EXPECT_EQ(vessel->systems.stages.Current(), 3);
}

TEST_F(Separation, EjectedPartsAreNamedPlacedAndTurnedFromTheParent) {
  Load(kStack);
  const VECTOR3 parentPos = hostVessel->rpos;
  const VECTOR3 parentAngles = hostVessel->attitude.toAngles();
  Press(OAPI_KEY_J);
  // Ejected in list order: Booster (first read), then Skirt; names "%s_%s".
  const host::Vessel *booster = sim.findVessel("Test_Vessel_Booster");
  const host::Vessel *skirt = sim.findVessel("Test_Vessel_Skirt");
  ASSERT_NE(booster, nullptr);
  ASSERT_NE(skirt, nullptr);
  EXPECT_EQ(sim.vessels()[1].get(), booster);
  EXPECT_EQ(booster->className, "Booster");
  EXPECT_NEAR(booster->rpos.z, parentPos.z - 10.0, 1e-6);
  EXPECT_NEAR(booster->attitude.toAngles().y, parentAngles.y + 0.5, 1e-9);
  EXPECT_EQ(booster->rvel.z, hostVessel->rvel.z);
  EXPECT_EQ(booster->status, 0);
  // The centre of mass moved 2 m forward: the remaining mesh sits 2 m further back.
  ASSERT_EQ(hostVessel->model.meshes.size(), 0u);
  EXPECT_NEAR(hostVessel->rpos.z, parentPos.z + 2.0, 1e-6);
  EXPECT_EQ(hostVessel->model.emptyMass, 100.0);
}

TEST_F(Separation, RestoredConfigurationEjectsNothingAndDoesNotShift) {
  Load(kStack, 2);
  EXPECT_EQ(sim.vessels().size(), 1u);
  EXPECT_EQ(hostVessel->rpos.z, 0.0);
  EXPECT_EQ(vessel->systems.stages.Current(), 2);
  EXPECT_EQ(hostVessel->model.emptyMass, 100.0);
}

// The old vent resource goes with what it holds passed on, so the host's list
// keeps one, last, and the vessel's mass is what it was.
TEST_F(Separation, EachSwitchMovesTheVentResourceLastWithItsGas) {
  Load(kStack);
  EXPECT_EQ(hostVessel->model.propellants.size(), 1u);
  PROPELLANT_HANDLE first = vessel->systems.stages.VentResource();
  vessel->SetPropellantMaxMass(first, 0.25);
  vessel->SetPropellantMass(first, 0.25);
  Press(OAPI_KEY_J);
  ASSERT_EQ(hostVessel->model.propellants.size(), 1u);
  EXPECT_EQ(hostVessel->model.propellants.back().get(), vessel->systems.stages.VentResource());
  EXPECT_EQ(vessel->GetPropellantMass(vessel->systems.stages.VentResource()), 0.25);
  EXPECT_EQ(hostVessel->model.emptyMass + 0.25, 100.0);
}

TEST_F(Separation, ParentNamesWithUnderscoresGetAnotherOne) {
  Load("<SEPARATION>\n<CONFIG> 2\n<EJECT> Part_X <0 0 0> <0 0 0>\n</CONFIG>\n</SEPARATION>\n");
  vessel->systems.SetConfiguration(2, false);
  EXPECT_NE(sim.findVessel("Test_Vessel_Part_X"), nullptr);
}

TEST_F(Separation, BadSeparationLinesBuildNothing) {
  Load("<SEPARATION>\n<CONFIG> 11\n<EJECT> Far <0 0 0> <0 0 0>\n</CONFIG>\n<CONFIG>\n</CONFIG>\n"
       "<CONFIG> 2\n<EJECT> NoVectors\n<EJECT> OneVector <1 2 3>\n<CGOFFSET> <1 x 2>\n</CONFIG>\n"
       "</SEPARATION>\n");
  EXPECT_TRUE(Set().configurations[2].ejected.empty());
  EXPECT_EQ(Set().configurations[2].centreOfMassShift.x, 0.0);
  vessel->systems.SetConfiguration(2, false);
  EXPECT_EQ(sim.vessels().size(), 1u);
}

TEST_F(Separation, DeleteLinesMarkSystemObjectsByNamePrefix) {
  FluidSystem &fluids = vessel->systems.onboard.Fluid();
  ElectricSystem &electrics = vessel->systems.onboard.Electric();
  fluids.Append<FluidObject>("CABIN");
  fluids.Append<FluidObject>("CABIN_AIRLOCK");
  fluids.Append<FluidObject>("O2TANK");
  electrics.Append<SystemObject>("BATT");
  electrics.Append<SystemObject>("BUS");
  Load("<SEPARATION>\n<CONFIG> 2\n<DELETE> HYDRAULIC:cabin\n<DELETE> ELECTRIC:BATT   # blanks stay\n"
       "<DELETE> ELECTRIC:BU\n<DELETE> HYDRAULIC:NOTHING\n<DELETE> OTHER:O2\n</CONFIG>\n"
       "<CONFIG> 12\n<DELETE> HYDRAULIC:O2\n</CONFIG>\n</SEPARATION>\n");
  EXPECT_EQ(fluids.FindByName("CABIN")->stage, 2);
  EXPECT_EQ(fluids.FindByName("O2")->stage, kNeverSeparated);
  EXPECT_EQ(electrics.FindByName("BATT")->stage, kNeverSeparated);
  EXPECT_EQ(Log(), "");
  vessel->systems.SetConfiguration(2, false);
  EXPECT_EQ(fluids.FindByName("CABIN"), nullptr);
  EXPECT_NE(fluids.FindByName("O2TANK"), nullptr);
  EXPECT_EQ(electrics.FindByName("BUS"), nullptr);
  EXPECT_NE(electrics.FindByName("BATT"), nullptr);
}

TEST_F(Separation, SystemReferencesGoToTheirListsFromAfterTheSeparator) {
  vessel->systems.onboard.Fluid().Append<FluidObject>("CABIN");
  vessel->systems.onboard.Electric().Append<SystemObject>("BUS");
  EXPECT_EQ(vessel->systems.ResolveReference("HYDRAULIC:CABIN").address,
            vessel->systems.onboard.Fluid().Objects().front().get());
  EXPECT_EQ(vessel->systems.ResolveReference("hydraulic/CABIN").address,
            vessel->systems.onboard.Fluid().Objects().front().get());
  // "HYDRAULICS" still goes to the fluid list, which reads from the eleventh character.
  EXPECT_EQ(vessel->systems.ResolveReference("HYDRAULICSCABIN").address,
            vessel->systems.onboard.Fluid().Objects().front().get());
  EXPECT_EQ(vessel->systems.ResolveReference("HYDRAULICS:ABIN").address, nullptr);
  EXPECT_EQ(vessel->systems.ResolveReference("ELECTRIC:BUS").address,
            vessel->systems.onboard.Electric().Objects().front().get());
  EXPECT_EQ(vessel->systems.ResolveReference("ELECTRIC").address,
            vessel->systems.onboard.Electric().Objects().front().get());
}
