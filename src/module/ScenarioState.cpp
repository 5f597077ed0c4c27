// The vessel's lines in the host's scenario block: which configuration file it
// is built from, which stage is active and the saved state of its systems.
#include <cstdio>
#include <string>

#include "config/BoundedCopy.h"
#include "config/ConfigText.h"
#include "config/TextScan.h"
#include "module/GenericVessel.h"

namespace {

// "<SOURCE" is matched alone; the class name starts after "> ".
constexpr size_t kSourceSeparators = 2;

}  // namespace

// Reads the internals block up to its closing line. A block that lacks the
// closing line ends with the vessel's scenario block instead. The host's line
// is only good until the next read, so a section's line is not looked at again
// once its reader has taken lines of its own. True when the block recorded
// the propellants.
bool GenericVessel::LoadInternals(FILEHANDLE scn) {
  // What the saved configuration no longer has goes before the saved state
  // comes back: the saved loads of the sources never held the draws of those
  // objects, so they are withdrawn from the loads registered while the
  // objects were built, not from the restored ones.
  systems.RemoveStageObjects(systems.currentConfiguration);
  bool propellantsRecorded = false;
  char *line;
  while (oapiReadScenario_nextline(scn, line) && !MatchKeyword(line, "</INTERNALS>")) {
    int n;
    if (MatchKeyword(line, "<PROPELLANTS>")) {
      systems.LoadPropellants(scn);
      propellantsRecorded = true;
    } else if (MatchKeyword(line, "<HYDRAULIC>")) {
      systems.fluid.LoadFromScenario(scn);
    } else if (MatchKeyword(line, "<ELECTRIC>")) {
      systems.electric.LoadFromScenario(scn);
    } else if (const char *index = AfterKeyword(line, "<PANEL>")) {
      if (Panel *panel = std::sscanf(index, "%i", &n) == 1 ? systems.PanelAt(n) : nullptr) panel->LoadState(scn);
    }
  }
  return propellantsRecorded;
}

// The host's propellant levels are held back until the block is read: they
// are numbered by the host's resources, which a separation reorders and a
// changed configuration file renumbers, so where the module recorded the
// tanks by name the host's numbers are not used. A scenario without that
// record restores from the host's levels as before.
void GenericVessel::LoadScenarioState(FILEHANDLE scn, void *status) {
  std::string hostLevels;
  bool propellantsRecorded = false;
  char *line;
  while (oapiReadScenario_nextline(scn, line)) {
    if (MatchKeyword(line, "<INTERNALS>")) {
      propellantsRecorded = LoadInternals(scn) || propellantsRecorded;
    } else if (const char *name = AfterKeyword(line, "<SOURCE", kSourceSeparators)) {
      CopyName(sourceClassName, name);
      systems.ReadVesselConfiguration(sourceClassName);
    } else if (const char *number = AfterKeyword(line, "<CONFIG>")) {
      // Only a configuration the vessel can have is taken; otherwise the
      // vessel restores in the configuration it had.
      int n;
      if (std::sscanf(number, "%i", &n) == 1 && IsConfigurationNumber(n)) systems.currentConfiguration = n;
    } else if (MatchKeyword(line, "PRPLEVEL")) {
      hostLevels = line;
    } else {
      ParseScenarioLineEx(line, status);
    }
  }
  systems.SetConfiguration(systems.currentConfiguration, true);
  if (!propellantsRecorded && !hostLevels.empty()) ParseScenarioLineEx(hostLevels.data(), status);
}

void GenericVessel::SaveScenarioState(FILEHANDLE scn) {
  SaveDefaultState(scn);
  oapiWriteScenario_string(scn, "<SOURCE>", sourceClassName);
  oapiWriteScenario_int(scn, "<CONFIG>", systems.currentConfiguration);
  oapiWriteScenario_string(scn, "<INTERNALS>", "");
  systems.SavePropellants(scn);
  systems.fluid.SaveToScenario(scn);
  systems.electric.SaveToScenario(scn);
  for (int n = 0; n < systems.panelCount; ++n)
    if (const Panel *panel = systems.PanelAt(n)) panel->SaveState(scn);
  oapiWriteScenario_string(scn, "</INTERNALS>", "");
}
