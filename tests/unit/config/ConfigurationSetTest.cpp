#include "config/ConfigurationSet.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../module/ConfigFixture.h"

namespace {

class StageConfigurations : public ConfigFixture {
 protected:
  double EmptyMass() const { return hostVessel->model.emptyMass; }
  const host::VesselModel &Model() const { return hostVessel->model; }
  double Capacity(size_t i) const { return Model().propellants[i]->maxMass; }
};

const char *kTanks =
    "<VESSEL>\n<ELEMENTS>\n<Body> box 10000 0 10\n<0 0 0>\n<0 0 0>\n<0 0 0>\n<0 0 0>\n<0 0 0>\n"
    "<0 0 0>\n<0 0 0>\n<0 0 0>\n<0 0 0>\n<0 0 0>\n</Body>\n</ELEMENTS>\n"
    "<PROPELLANTS>\nEARLY 100 0 2\nSPAN 200 1 3\nLATE 400 2 3\n</PROPELLANTS>\n</VESSEL>\n";

}  // namespace

TEST_F(StageConfigurations, ListsKeepTheFirstItemFirstThenTheNewestBack) {
  Load("<VESSEL>\n<PROPELLANTS>\nA 1 0 10\nB 2 0 10\nC 3 0 10\nD 4 0 10\n</PROPELLANTS>\n"
       "<CONFIG 1>\n<THRUSTERS>\n"
       "<0 0 1> <0 0 1> 1 A 1 1 THGROUP_MAIN <1 1>\n<0 0 2> <0 0 1> 1 A 1 1 THGROUP_MAIN <1 1>\n"
       "<0 0 3> <0 0 1> 1 A 1 1 THGROUP_MAIN <1 1>\n</THRUSTERS>\n</CONFIG>\n</VESSEL>\n");
  ASSERT_EQ(Model().propellants.size(), 5u);  // four tanks and the vent resource
  EXPECT_EQ(Capacity(0), 1.0);
  EXPECT_EQ(Capacity(1), 4.0);
  EXPECT_EQ(Capacity(2), 3.0);
  EXPECT_EQ(Capacity(3), 2.0);
  ASSERT_EQ(Model().thrusters.size(), 3u);
  EXPECT_EQ(Model().thrusters[0]->position.z, 1.0);
  EXPECT_EQ(Model().thrusters[1]->position.z, 3.0);
  EXPECT_EQ(Model().thrusters[2]->position.z, 2.0);
}

TEST_F(StageConfigurations, RestoreCreatesFullResourcesForEveryTankPresent) {
  Load(kTanks, 2);
  // EARLY ends before 2; LATE and SPAN (in list order) exist in 2.
  ASSERT_EQ(Model().propellants.size(), 3u);
  EXPECT_EQ(Capacity(0), 400.0);
  EXPECT_EQ(Capacity(1), 200.0);
  EXPECT_EQ(Model().propellants[0]->mass, 400.0);
  EXPECT_EQ(EmptyMass(), 10000.0 - 600.0);
  EXPECT_EQ(hostVessel->mass(), 10000.0);
}

TEST_F(StageConfigurations, SeparationKeepsCarriedTanksAndCountsTheirCapacityAgain) {
  Load(kTanks, 1);
  EXPECT_EQ(EmptyMass(), 10000.0 - 300.0);
  PROPELLANT_HANDLE span = Set().FindPropellant("SPAN");
  vessel->SetPropellantMass(span, 50.0);
  vessel->systems.SetConfiguration(2, false);
  EXPECT_EQ(Set().FindPropellant("EARLY"), nullptr);
  EXPECT_EQ(vessel->GetPropellantMass(Set().FindPropellant("SPAN")), 50.0);
  EXPECT_EQ(vessel->GetPropellantMass(Set().FindPropellant("LATE")), 400.0);
  // SPAN follows LATE in the list, so it moved behind it: the host's
  // resources are in list order, as a restore makes them, the vent's last.
  ASSERT_EQ(Model().propellants.size(), 3u);
  EXPECT_EQ(Capacity(0), 400.0);
  EXPECT_EQ(Capacity(1), 200.0);
  EXPECT_EQ(EmptyMass(), 10000.0 - 600.0);
  EXPECT_EQ(vessel->systems.stages.Current(), 2);
}

TEST_F(StageConfigurations, ParametersReachTheHost) {
  Load("<VESSEL>\n<PROPELLANTS>\nMAIN 10 0 10\n</PROPELLANTS>\n<CONFIG 1>\n<SIZE> 4.5\n<CW> <0.2 0.5 0.7>\n"
       "<CROSSSECTION> <1 2 3>\n<ROTDRAG> <4 5 6>\n<PMI> <7 8 9>\n<CAMERAOFF> <0 1 2>\n"
       "<TOUCHDOWN> <0 -1 1> <-1 -1 -1> <1 -1 -1>\n<DOCK> <0 0 5> <0 0 1> <0 1 0>\n"
       "<DOCK> <0 0 -5> <0 0 -1> <0 1 0>\n<THRUSTERS>\n"
       "<0 0 -2> <0 0 1> 500 MAIN 3000 2500 THGROUP_MAIN <3 0.4>\n</THRUSTERS>\n</CONFIG>\n</VESSEL>\n");
  const host::VesselModel &m = Model();
  EXPECT_EQ(m.size, 4.5);
  EXPECT_EQ(m.cw[0], 0.2);
  EXPECT_EQ(m.cw[1], 0.2);
  EXPECT_EQ(m.cw[2], 0.5);
  EXPECT_EQ(m.cw[3], 0.7);
  EXPECT_EQ(m.crossSections.y, 2.0);
  EXPECT_EQ(m.rotDrag.z, 6.0);
  EXPECT_EQ(m.pmi.x, 7.0);
  EXPECT_EQ(m.cameraOffset.z, 2.0);
  EXPECT_EQ(m.touchdown[2].x, 1.0);
  ASSERT_EQ(m.docks.size(), 2u);
  EXPECT_EQ(m.docks[0]->position.z, 5.0);
  ASSERT_EQ(m.thrusters.size(), 1u);
  const host::Thruster &t = *m.thrusters[0];
  EXPECT_EQ(t.pressureRef, 101400.0);
  EXPECT_EQ(t.isp, 3000.0);
  EXPECT_EQ(t.ispRef, 2500.0);
  ASSERT_EQ(m.exhausts.size(), 1u);
  EXPECT_EQ(m.exhausts[0].length, 3.0);
  EXPECT_EQ(m.exhausts[0].width, 0.4);
  EXPECT_EQ(m.exhausts[0].direction.z, -1.0);
  // The main engine trails the contrail and the glow.
  ASSERT_EQ(m.streams.size(), 2u);
  EXPECT_EQ(m.streams[0]->particles.srcsize, 8.0);
  EXPECT_EQ(m.streams[1]->particles.srcrate, 20.0);
  EXPECT_NE(m.streams[1]->particles.tex, nullptr);
  for (const auto &stream : m.streams) EXPECT_EQ(stream->particles.lmax, 0.5);  // at their fullest from half thrust
}

TEST_F(StageConfigurations, GroupsOnlyForWordsWithThrustersAndAtMostFifteen) {
  std::string text = "<VESSEL>\n<CONFIG 1>\n<THRUSTERS>\n";
  for (int i = 0; i < 17; ++i) text += "<0 0 0> <0 1 0> 1 X 1 1 THGROUP_ATT_UP <1 1>\n";
  text += "<0 0 0> <0 0 1> 1 X 1 1 THGROUP_USER <1 1>\n<0 0 0> <0 0 1> 1 X 1 1 NO_SUCH_GROUP <1 1>\n"
          "</THRUSTERS>\n</CONFIG>\n</VESSEL>\n";
  Load(text);
  const host::VesselModel &m = Model();
  EXPECT_EQ(m.thrusters.size(), 19u);
  ASSERT_EQ(m.groups.size(), 2u);
  EXPECT_EQ(m.groups[0]->type, THGROUP_ATT_UP);
  EXPECT_EQ(m.groups[0]->thrusters.size(), 15u);
  EXPECT_EQ(m.groups[1]->type, THGROUP_USER);
  EXPECT_EQ(m.findGroup(THGROUP_MAIN), nullptr);
  EXPECT_TRUE(m.streams.empty());
}

TEST_F(StageConfigurations, PropellantNamesMatchAsPrefixesFirstInListOrder) {
  Load("<VESSEL>\n<PROPELLANTS>\nOXIDISER 1 0 10\nOXYGEN 2 0 10\nOX 3 0 10\n</PROPELLANTS>\n</VESSEL>\n");
  // List order: OXIDISER, OX, OXYGEN.
  EXPECT_EQ(Set().FindPropellant("OXY"), Set().propellants[2].handle);
  EXPECT_EQ(Set().FindPropellant("ox"), Set().propellants[0].handle);
  EXPECT_EQ(Set().FindPropellant("FUEL"), nullptr);
}

TEST_F(StageConfigurations, ElementsAndTheirOffsetLines) {
  Load("<VESSEL>\n<ELEMENTS>\n<Ghost> ghost 5 3 3\nclosing line of Ghost\n"
       "<Nose> nose 100 1 3\n<0 0 4>\n\n</Nose>\n"
       "<Tail> tail 50 0 2\n<0 0 -1>\n<0 0 -2>\n</Tail>\n</ELEMENTS>\n</VESSEL>\n");
  ASSERT_EQ(Set().elements.size(), 3u);
  const VesselElement &nose = Set().elements[2];
  EXPECT_STREQ(nose.name, "Nose");
  EXPECT_EQ(nose.offsets[1].z, 4.0);
  EXPECT_EQ(nose.offsets[2].z, 0.0);  // a blank offset line counts as read
  EXPECT_STREQ(Set().elements[1].name, "Tail");
  EXPECT_EQ(Set().elements[1].offsets[1].z, -2.0);
  EXPECT_EQ(EmptyMass(), 150.0);
  EXPECT_EQ(Model().meshes.size(), 0u);  // no mesh files in this root
}

TEST_F(StageConfigurations, BadNumbersKeepEarlierValuesAndBuildNothingFromMissingFields) {
  Load("<VESSEL>\n<PROPELLANTS>\nGOOD 10 0 10\nBAD ten 0 10\nSHORT 10\n\n</PROPELLANTS>\n"
       "<CONFIG 1>\n<SIZE> 3\n<SIZE> big\n<PMI> <1 2 3>\n<PMI> <4 x 6>\n<DOCK> <0 0 1> <0 0 1>\n"
       "<THRUSTERS>\n<0 0 0> <0 0 1> 10 GOOD\n<0 0 0> <0 0 1> 10 GOOD 300 200 THGROUP_MAIN\n"
       "</THRUSTERS>\n</CONFIG>\n</VESSEL>\n");
  EXPECT_EQ(Set().propellants.size(), 1u);
  EXPECT_EQ(Model().size, 3.0);
  EXPECT_EQ(Model().pmi.y, 2.0);
  EXPECT_TRUE(Model().docks.empty());
  ASSERT_EQ(Model().thrusters.size(), 1u);
  EXPECT_EQ(Model().exhausts[0].length, 0.0);
}

TEST_F(StageConfigurations, NumbersOutsideTheConfigurationsAreBounded) {
  Load("<VESSEL>\n<ELEMENTS>\n<Wide> wide 10 -3 40\n<0 0 1>\n<0 0 2>\n<0 0 3>\n<0 0 4>\n</Wide>\n"
       "</ELEMENTS>\n<CONFIG 12>\n<SIZE> 99\n</CONFIG>\n<CONFIG -1>\n<SIZE> 98\n</CONFIG>\n"
       "<CONFIG 1>\n<SIZE> 7\n</CONFIG>\n</VESSEL>\n");
  // The element takes 43 offset lines: the rest of the file.
  ASSERT_EQ(Set().elements.size(), 1u);
  EXPECT_EQ(Set().elements[0].offsets[0].z, 4.0);
  Load("<VESSEL>\n<CONFIG 12>\n<SIZE> 99\n</CONFIG>\n<CONFIG 1>\n<SIZE> 7\n</CONFIG>\n</VESSEL>\n");
  EXPECT_EQ(Model().size, 7.0);
  vessel->systems.SetConfiguration(10, true);
  vessel->systems.SetConfiguration(-1, true);
  EXPECT_EQ(vessel->systems.stages.Current(), 1);
}

// A section cut off by the end of the file keeps what it read before the end.
TEST_F(StageConfigurations, SectionsWithoutClosingLinesEndWithTheFile) {
  Load("<VESSEL>\n<ELEMENTS>\n<A> a 1 0 5\n<0 0 7>");  // nor a line end after the last
  ASSERT_EQ(Set().elements.size(), 1u);
  EXPECT_EQ(Set().elements[0].offsets[0].z, 7.0);
  FreshVessel();
  Load("<VESSEL>\n<PROPELLANTS>\nA 1 0 2\n");
  ASSERT_EQ(Set().propellants.size(), 1u);
  EXPECT_STREQ(Set().propellants[0].name, "A");
  FreshVessel();
  Load("<VESSEL>\n<CONFIG 1>\n<THRUSTERS>\n<0 0 0> <0 0 1> 1 A 1 1 THGROUP_MAIN <1 1>\n");
  EXPECT_EQ(Set().configurations[1].thrusters.size(), 1u);
  FreshVessel();
  Load("<VESSEL>\n<CONFIG 1>\n<SIZE> 2\n");
  EXPECT_EQ(Set().configurations[1].size, 2.0);
  FreshVessel();
  Load("<KEYBOARD>\nOAPI_KEY_J SEPARATION 2\n");
  EXPECT_EQ(Set().keyBindings.size(), 1u);
  FreshVessel();
  Load("<SEPARATION>\n<CONFIG> 2\n<EJECT> Part <0 0 0> <0 0 0>\n");
  EXPECT_EQ(Set().configurations[2].ejected.size(), 1u);
  FreshVessel();
  Load("<HYDRAULIC>\n");
  EXPECT_EQ(vessel->systems.onboard.Fluid().Objects().size(), 0u);
  FreshVessel();
  Load("<VESSEL>\n<ELEMENTS>\n<A> a 1 0 2000000000\n");
  EXPECT_EQ(Set().elements.size(), 1u);
}

// A configuration or class file that cannot be read (a folder of that name)
// reads as ended: nothing is built and nothing waits for a line.
TEST_F(StageConfigurations, AFolderInPlaceOfAFileReadsAsEmpty) {
  std::filesystem::create_directory("Config/Test.cfg");
  vessel->systems.ReadVesselConfiguration("Test");
  EXPECT_TRUE(Set().elements.empty());
  ::rmdir("Config/Test.cfg");
  std::filesystem::create_directory("config");
  std::filesystem::create_directory("config/folder.prd");
  FreshVessel();
  Load("Panel: folder\n<PANEL> P\n</PANEL>\n");
  EXPECT_EQ(vessel->systems.deck.Count(), 1);
}
