// A configuration or class file cut off anywhere, as an editor crash or a
// half-copied file leaves it, still gives a vessel that steps, saves and draws.
#include <gtest/gtest.h>

#include <filesystem>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ConfigFixture.h"
#include "ScenarioFile.h"
#include "Surface.h"

namespace {

std::vector<std::string> LinesOf(const std::string &path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string FirstLines(const std::vector<std::string> &lines, size_t count) {
  std::string text;
  for (size_t n = 0; n < count && n < lines.size(); ++n) text += lines[n] + "\n";
  return text;
}

class TruncatedConfiguration : public ConfigFixture {
 protected:
  TruncatedConfiguration() { std::filesystem::create_directory("config"); }

  // Builds the vessel afresh from `configuration`, then flies, separates,
  // saves and draws every panel it has; returns how many panels it drew.
  int Exercise(const std::string &configuration) {
    FreshVessel();
    Load(configuration);
    for (int frame = 1; frame <= 2; ++frame) vessel->Update(frame * 0.5);
    for (int key : {OAPI_KEY_J, OAPI_KEY_K}) vessel->systems.OnKey(key);
    host::ScenarioWriter writer;
    vessel->SaveScenarioState(writer.handle());
    EXPECT_NE(writer.text.find("<INTERNALS>"), std::string::npos);
    host::Surface *surface = host::Surface::create(32, 32);
    int n = 0;
    for (; vessel->systems.deck.Load(n); ++n) {
      const int areas = static_cast<int>(vessel->systems.deck.PanelAt(n)->instruments.size());
      for (int area = 0; area < areas; ++area) {
        vessel->systems.deck.RedrawEvent(area, PANEL_REDRAW_INIT, surface->handle());
        vessel->systems.PanelMouseEvent(area, PANEL_MOUSE_LBDOWN, 1, 1);
      }
    }
    host::Surface::destroy(surface);
    return n;
  }
};

}  // namespace

TEST_F(TruncatedConfiguration, TheReferenceVesselCutAfterAnyLine) {
  const std::string kestrel = std::string(EXAMPLES_DIR) + "/kestrel";
  const std::vector<std::string> configuration = LinesOf(kestrel + "/Config/Kestrel.cfg");
  const std::vector<std::string> classes = LinesOf(kestrel + "/config/kestrel.prd");
  ASSERT_GT(configuration.size(), 200u);
  std::ofstream("config/kestrel.prd") << FirstLines(classes, classes.size());
  // Every drawing object a vessel makes goes with it, however its files end.
  Exercise(FirstLines(configuration, configuration.size()));
  FreshVessel();
  const DWORD drawingObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  for (size_t count = 0; count <= configuration.size(); ++count) {
    SCOPED_TRACE("configuration cut after line " + std::to_string(count));
    Exercise(FirstLines(configuration, count));
  }
  const std::string whole = FirstLines(configuration, configuration.size());
  EXPECT_EQ(Exercise(whole), 2);  // the main and the navigation panel
  for (size_t count = 0; count <= classes.size(); count += 3) {
    SCOPED_TRACE("class file cut after line " + std::to_string(count));
    std::ofstream("config/kestrel.prd") << FirstLines(classes, count);
    Exercise(whole);
  }
  FreshVessel();
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), drawingObjects);
}
