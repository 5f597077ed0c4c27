#include "ScenarioFile.h"

#include <gtest/gtest.h>

#include <fstream>

#include "../module/HostFixture.h"

namespace {

std::string Write(const std::string &name, const std::string &text) {
  const std::string path = ::testing::TempDir() + "/" + name;
  std::ofstream(path) << text;
  return path;
}

class Scenario : public HostFixture {};

}  // namespace

TEST(ScenarioFile, ReadsSectionsAndShipBlocks) {
  const std::string path = Write("a.scn",
                                 "BEGIN_DESC\nA test.\nEND_DESC\n"
                                 "BEGIN_ENVIRONMENT\n  Date MJD 51000\nEND_ENVIRONMENT\n"
                                 "BEGIN_SHIPS\nOne:Minimal\n  STATUS Orbiting Earth\n  <SOURCE> X\nEND\n"
                                 "Two:Other\nEND\nEND_SHIPS\n");
  host::ScenarioFile file;
  std::string error;
  ASSERT_TRUE(file.read(path, error)) << error;
  ASSERT_EQ(file.ships.size(), 2u);
  EXPECT_EQ(file.ships[0].name, "One");
  EXPECT_EQ(file.ships[0].className, "Minimal");
  EXPECT_EQ(file.ships[0].lines.size(), 2u);
  EXPECT_EQ(file.description.front(), "A test.");
  EXPECT_EQ(file.environment.front(), "Date MJD 51000");
}

TEST(ScenarioFile, RejectsAShipWithoutEndOrClass) {
  host::ScenarioFile file;
  std::string error;
  EXPECT_FALSE(file.read(Write("b.scn", "BEGIN_SHIPS\nOne:Minimal\n  RPOS 1 2 3\n"), error));
  EXPECT_NE(error.find("One"), std::string::npos);
  host::ScenarioFile other;
  EXPECT_FALSE(other.read(Write("c.scn", "BEGIN_SHIPS\nNoClass\nEND\nEND_SHIPS\n"), error));
  EXPECT_FALSE(other.read("/no/such/file.scn", error));
}

TEST(ScenarioBlockReader, HandsOutLinesWithoutLeadingBlanks) {
  const std::vector<std::string> lines = {"  \t<SOURCE> X  ", "END?"};
  host::ScenarioBlockReader reader(lines);
  char *line;
  ASSERT_TRUE(reader.next(line));
  EXPECT_STREQ(line, "<SOURCE> X  ");
  ASSERT_TRUE(reader.next(line));
  EXPECT_FALSE(reader.next(line));
  EXPECT_FALSE(oapiReadScenario_nextline(nullptr, line));
}

TEST(ParsedStatus, ReadsTheHostsLinesAndIgnoresBadNumbers) {
  host::ParsedStatus s;
  EXPECT_TRUE(s.parseLine("RPOS 1 2 3"));
  EXPECT_TRUE(s.parseLine("AROT 180 0 0"));
  EXPECT_TRUE(s.parseLine("RVEL nan 1 1"));
  EXPECT_TRUE(s.parseLine("PRPLEVEL 0:0.5 1:7 x:1 2:"));
  EXPECT_TRUE(s.parseLine("STATUS Landed Earth"));
  EXPECT_FALSE(s.parseLine("RPOSX 1 2 3"));
  EXPECT_FALSE(s.parseLine("<SOURCE> X"));
  EXPECT_EQ(s.rpos.z, 3.0);
  EXPECT_NEAR(s.arot.x, M_PI, 1e-12);
  EXPECT_EQ(s.rvel.x, 0.0);
  ASSERT_EQ(s.propellantLevels.size(), 2u);
  EXPECT_EQ(s.propellantLevels[1].second, 1.0);  // kept within 0 to 1
  EXPECT_EQ(s.status, 1);
}

TEST_F(Scenario, PlainBodiesSaveAndRestoreThroughTheHostsLines) {
  const std::string path = Write("plain.scn",
                                 "BEGIN_WORLD\n  RADIUS 1000000\n  MASS 1e22\n  BOGUS 1\nEND_WORLD\n"
                                 "BEGIN_SHIPS\nRock:NoModule\n  RPOS 1200000 0 0\n  RVEL 0 0 -900\n"
                                 "  VROT 0 0 10\nEND\nEND_SHIPS\n");
  std::string error;
  ASSERT_TRUE(sim.loadScenario(path, error)) << error;
  EXPECT_EQ(sim.planet.radius, 1e6);
  EXPECT_EQ(sim.planet.planetMass, 1e22);
  sim.frame(10.0);
  const std::string saved = ::testing::TempDir() + "/plain-saved.scn";
  ASSERT_TRUE(sim.saveScenario(saved, error)) << error;

  host::Simulation again;
  again.messageSink = [](const std::string &) {};
  ASSERT_TRUE(again.loadScenario(saved, error)) << error;
  const host::Vessel *before = sim.findVessel("Rock");
  const host::Vessel *after = again.findVessel("Rock");
  ASSERT_NE(after, nullptr);
  EXPECT_NEAR(after->rpos.x, before->rpos.x, 1e-5);
  EXPECT_NEAR(after->rvel.z, before->rvel.z, 1e-5);
  EXPECT_NEAR(after->vrot.z, before->vrot.z, 1e-9);
  EXPECT_EQ(again.planet.radius, 1e6);
}
