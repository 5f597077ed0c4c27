#include <gtest/gtest.h>

#include "../module/ConfigFixture.h"
#include "ScenarioFile.h"

namespace {

class VesselConfiguration : public ConfigFixture {};

}  // namespace

TEST_F(VesselConfiguration, TopLevelSkipsWhatItDoesNotKnow) {
  Load("</VESSEL>\nsome words\n<UNKNOWN>\npanel whatever.prd\n<VESSEL>\n<CONFIG 1>\n<SIZE> 6\n</CONFIG>\n"
       "</VESSEL>\n<HYDRAULIC>\n<VESSEL>\n</HYDRAULIC>\n<KEYBOARD>\nOAPI_KEY_J SEPARATION 2\n</KEYBOARD>\n");
  EXPECT_EQ(hostVessel->model.size, 6.0);
  ASSERT_EQ(Set().keyBindings.size(), 1u);
  EXPECT_EQ(Set().keyBindings[0].keyCode, OAPI_KEY_J);
  EXPECT_EQ(Log(), "");
}

TEST_F(VesselConfiguration, MissingFileIsLoggedAndLeavesAnEmptyVessel) {
  vessel->systems.ReadVesselConfiguration("NoSuchClass");
  vessel->systems.SetConfiguration(1, true);
  EXPECT_EQ(Log(), "ERROR: cannot open Config\\NoSuchClass.cfg\n");
  EXPECT_EQ(hostVessel->model.emptyMass, 0.0);
  EXPECT_TRUE(hostVessel->model.thrusters.empty());
}

TEST_F(VesselConfiguration, TheLogKeepsEveryParseOfTheRun) {
  vessel->systems.ReadVesselConfiguration("NoSuchClass");
  Load("<VESSEL>\n</VESSEL>\n");
  vessel->systems.ReadVesselConfiguration("Missing");
  EXPECT_EQ(Log(), "ERROR: cannot open Config\\NoSuchClass.cfg\nERROR: cannot open Config\\Missing.cfg\n");
}

TEST_F(VesselConfiguration, ScenarioSourceNamesTheFileAfterItsNinthCharacter) {
  WriteConfig("Probe", "<VESSEL>\n<CONFIG 3>\n<SIZE> 3\n</CONFIG>\n</VESSEL>\n");
  const std::vector<std::string> block = {"<SOURCE> Probe", "<CONFIG> 3"};
  host::ScenarioBlockReader reader(block);
  host::ParsedStatus status;
  vessel->LoadScenarioState(reader.handle(), &status);
  EXPECT_EQ(vessel->systems.stages.Current(), 3);
  EXPECT_EQ(hostVessel->model.size, 3.0);

  const std::vector<std::string> twoBlanks = {"<SOURCE>  Probe", "<CONFIG> 42"};
  host::ScenarioBlockReader second(twoBlanks);
  vessel->LoadScenarioState(second.handle(), &status);
  EXPECT_EQ(Log(), "ERROR: cannot open Config\\ Probe.cfg\n");
  EXPECT_EQ(vessel->systems.stages.Current(), 3);  // 42 is no configuration
}
