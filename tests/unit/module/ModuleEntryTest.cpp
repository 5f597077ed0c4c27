#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "HostFixture.h"
#include "ScenarioFile.h"
#include "WorkingFolder.h"
#include "module/GenericVessel.h"

DLLCLBK VESSEL *ovcInit(OBJHANDLE hVessel, int flightModel);
DLLCLBK void ovcExit(VESSEL *vessel);
DLLCLBK void ovcTimestep(VESSEL *vessel, double simTime);
DLLCLBK void ovcLoadStateEx(VESSEL *vessel, FILEHANDLE scn, void *status);
DLLCLBK void ovcSaveState(VESSEL *vessel, FILEHANDLE scn);
DLLCLBK bool ovcLoadPanel(VESSEL *vessel, int id);
DLLCLBK bool ovcPanelRedrawEvent(VESSEL *vessel, int id, int event, SURFHANDLE surf);
DLLCLBK bool ovcPanelMouseEvent(VESSEL *vessel, int id, int event, int mx, int my);
DLLCLBK void ovcMFDmode(VESSEL *vessel, int mfd, int mode);
DLLCLBK int ovcConsumeBufferedKey(VESSEL *vessel, DWORD key, bool down, char *kstate);
DLLCLBK void *vsimResolveReference(VESSEL *vessel, const char *reference, const char **typeName, const uint32_t **life,
                                   uint32_t *generation);
DLLCLBK void vsimCheckClass(const char *className, void (*volume)(void *, const char *, double), void *context,
                            char *summary, int size);
DLLCLBK void vsimSummary(VESSEL *vessel, char *text, int size);

namespace {

class ModuleEntry : public HostFixture {
 protected:
  ModuleEntry() : vessel(ovcInit(OrbitingVessel("V")->handle(), 1)) {}
  ~ModuleEntry() override { ovcExit(vessel); }
  VESSEL *vessel;
};

}  // namespace

TEST_F(ModuleEntry, ReturnValuesOfTheCallbacks) {
  ASSERT_NE(vessel, nullptr);
  char keys[256] = {};
  EXPECT_EQ(ovcConsumeBufferedKey(vessel, OAPI_KEY_J, true, keys), 0);
  EXPECT_EQ(ovcConsumeBufferedKey(vessel, OAPI_KEY_J, false, keys), 0);
  EXPECT_TRUE(ovcPanelRedrawEvent(vessel, 3, PANEL_REDRAW_ALWAYS, nullptr));
  EXPECT_TRUE(ovcPanelMouseEvent(vessel, 3, PANEL_MOUSE_LBDOWN, 1, 2));
  EXPECT_FALSE(ovcLoadPanel(vessel, 0));
  ovcMFDmode(vessel, 0, 1);  // no panels: nothing to redraw
  ovcExit(nullptr);
  // The 2016 host's callbacks answer alike.
  VESSEL2 *callbacks = static_cast<GenericVessel *>(vessel);
  EXPECT_EQ(callbacks->clbkConsumeBufferedKey(OAPI_KEY_J, true, keys), 0);
  EXPECT_TRUE(callbacks->clbkPanelRedrawEvent(3, PANEL_REDRAW_ALWAYS, nullptr));
  EXPECT_TRUE(callbacks->clbkPanelMouseEvent(3, PANEL_MOUSE_LBDOWN, 1, 2));
  EXPECT_FALSE(callbacks->clbkLoadPanel(0));
  callbacks->clbkMFDMode(0, 1);
}

TEST_F(ModuleEntry, TimestepPublishesAndTheBenchHookResolves) {
  ovcTimestep(vessel, 1.0);
  const char *typeName = nullptr;
  const double *altitude =
      static_cast<double *>(vsimResolveReference(vessel, "SHIP:ALTITUDE", &typeName, nullptr, nullptr));
  ASSERT_NE(altitude, nullptr);
  EXPECT_STREQ(typeName, "double");
  EXPECT_GT(*altitude, 299e3);
  EXPECT_NE(vsimResolveReference(vessel, "SHIP:CUSTOMINT2", &typeName, nullptr, nullptr), nullptr);
  EXPECT_STREQ(typeName, "int");
  EXPECT_EQ(vsimResolveReference(vessel, "HYDRAULIC:CABIN:PRESS", &typeName, nullptr, nullptr), nullptr);
  EXPECT_EQ(typeName, nullptr);
  EXPECT_EQ(vsimResolveReference(vessel, "NOPANEL:X", &typeName, nullptr, nullptr), nullptr);
}

TEST_F(ModuleEntry, ScenarioBlockRoundTrip) {
  const std::vector<std::string> block = {
      "STATUS Orbiting Earth", "RPOS 7000000 0 0", "RVEL 0 0 -7500", "AROT 10 20 30",
      "<SOURCE> Minimal",      "<CONFIG> 3",       "<INTERNALS>",    "<PROPELLANTS>",
      "<VENT> 2 2 0",          "</PROPELLANTS>",   "<HYDRAULIC>",
      "</INTERNALS>",          "  UNKNOWN LINE"};
  host::ScenarioBlockReader reader(block);
  host::ParsedStatus status;
  ovcLoadStateEx(vessel, reader.handle(), &status);
  GenericVessel *gv = static_cast<GenericVessel *>(vessel);
  EXPECT_STREQ(gv->sourceClassName, "Minimal");
  EXPECT_EQ(gv->systems.stages.Current(), 3);
  // Host lines reach the host's parser.
  EXPECT_EQ(status.rpos.x, 7000000.0);
  EXPECT_EQ(status.rvel.z, -7500.0);
  EXPECT_NEAR(status.arot.y, 20 * M_PI / 180, 1e-12);

  host::ScenarioWriter writer;
  ovcSaveState(vessel, writer.handle());
  EXPECT_NE(writer.text.find("  STATUS Orbiting Earth\n"), std::string::npos) << writer.text;
  EXPECT_NE(writer.text.find("  <SOURCE> Minimal\n  <CONFIG> 3\n  <INTERNALS> \n  <PROPELLANTS> \n"
                             "  <VENT> 2 2 0\n  </PROPELLANTS> \n  <HYDRAULIC> \n  </HYDRAULIC> \n"
                             "  <ELECTRIC> \n  </ELECTRIC> \n  </INTERNALS> \n"),
            std::string::npos)
      << writer.text;
  // The 2016 host's callback writes the very same block.
  host::ScenarioWriter callbackWriter;
  gv->clbkSaveState(callbackWriter.handle());
  EXPECT_EQ(callbackWriter.text, writer.text);
}

TEST_F(ModuleEntry, SourceNameIsBoundedAndAShortSourceLineIsEmpty) {
  const std::string longName(60, 'C');
  const std::vector<std::string> block = {"<SOURCE> " + longName};
  host::ScenarioBlockReader reader(block);
  host::ParsedStatus status;
  ovcLoadStateEx(vessel, reader.handle(), &status);
  EXPECT_EQ(std::string(static_cast<GenericVessel *>(vessel)->sourceClassName), std::string(27, 'C'));

  const std::vector<std::string> shortBlock = {"<SOURCE>", "<CONFIG>"};
  host::ScenarioBlockReader shortReader(shortBlock);
  ovcLoadStateEx(vessel, shortReader.handle(), &status);
  EXPECT_STREQ(static_cast<GenericVessel *>(vessel)->sourceClassName, "");
}

// The host's line is only good until its next read: a long line inside a
// section moves the reader's buffer, and the section's opening line must not
// be looked at after its reader returns (caught by the sanitizer build).
TEST_F(ModuleEntry, SectionLinesAreNotReadAgainAfterTheSectionReader) {
  const std::vector<std::string> block = {
      "<INTERNALS>", "<HYDRAULIC>", "<TANK> " + std::string(400, 'T') + " 1 1 1", "</TANK>",
      "</HYDRAULIC>", "<ELECTRIC>", "<DC> " + std::string(300, 'B') + " 1 0 1", "</ELECTRIC>",
      "</INTERNALS>", "<CONFIG> 2"};
  host::ScenarioBlockReader reader(block);
  host::ParsedStatus status;
  ovcLoadStateEx(vessel, reader.handle(), &status);
  EXPECT_EQ(static_cast<GenericVessel *>(vessel)->systems.stages.Current(), 2);
}

// A check reads and builds a class by the module alone, before any host
// exists, and finds what a vessel restored into configuration 1 has.
TEST(ModuleCheck, ReadsAClassWithoutAHostAsARestoreBuildsIt) {
  WorkingFolder folder;
  folder.CopyIn(EXAMPLES_DIR "/kestrel");
  std::map<std::string, double> built;
  char checked[256] = "";
  const auto collect = [](void *into, const char *reference, double value) {
    (*static_cast<std::map<std::string, double> *>(into))[reference] = value;
  };
  vsimCheckClass("Kestrel", collect, &built, checked, sizeof checked);

  host::Simulation sim;
  VESSEL *vessel = ovcInit(sim.createOrbitingVessel("K", "NoModuleClass", 300e3, 1.0)->handle(), 1);
  const std::vector<std::string> block = {"<SOURCE> Kestrel"};
  host::ScenarioBlockReader reader(block);
  host::ParsedStatus status;
  ovcLoadStateEx(vessel, reader.handle(), &status);
  char restored[256] = "";
  vsimSummary(vessel, restored, sizeof restored);
  EXPECT_STREQ(checked, restored);
  // Every numeric variable of the plant, tank volumes among them.
  EXPECT_GT(built.size(), 100u);
  EXPECT_EQ(built.count("HYDRAULIC:CABIN:VOLUME"), 1u);
  for (const auto &[reference, value] : built) {
    const char *type = nullptr;
    const void *variable = vsimResolveReference(vessel, reference.c_str(), &type, nullptr, nullptr);
    ASSERT_NE(variable, nullptr) << reference;
    const std::string kind = type;
    const double now = kind == "int"     ? *static_cast<const int32_t *>(variable)
                       : kind == "float" ? *static_cast<const float *>(variable)
                                         : *static_cast<const double *>(variable);
    EXPECT_EQ(now, value) << reference;
  }
  ovcExit(vessel);
}
