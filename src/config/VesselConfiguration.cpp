// The configuration file's top level: each section's opening line hands the
// section to its parser, in file order.
#include <cstdio>

#include "config/ConfigText.h"
#include "config/TextScan.h"
#include "module/GenericVessel.h"
#include "winpath.h"

void VesselSystems::ReadVesselConfiguration(const char *className) {
  char fileName[64];
  std::snprintf(fileName, sizeof fileName, "Config\\%s.cfg", className);
  FILE *file = OpenWindowsFile(fileName, "rt");
  OpenDebugLog();
  BeginConfigurationFile(file);
  if (file == nullptr) ReportMissingFile(fileName);

  char *line;
  while (!ConfigFileEnded(file)) {
    line = ReadConfigLine(file);
    LineWord word;
    KeywordLine keyword(line);
    if (keyword.Is("Panel", 2)) {
      if (std::sscanf(keyword.rest, "%39s", word) == 1) LoadClassFile(word);
    } else if (keyword.Is("<VESSEL>")) {
      configurationSet.ParseVesselSection(file);
    } else if (keyword.Is("<HYDRAULIC>")) {
      hydraulic.ParseConfigurationSection(file);
    } else if (keyword.Is("<ELECTRIC>")) {
      electric.ParseConfigurationSection(file);
    } else if (keyword.Is("<PANEL>")) {
      if (std::sscanf(keyword.rest, "%39s", word) != 1) word[0] = '\0';
      ParsePanelSection(file, word);
    } else if (keyword.Is("<KEYBOARD>")) {
      configurationSet.ParseKeyboardSection(file);
    } else if (keyword.Is("<SEPARATION>")) {
      configurationSet.ParseSeparationSection(file, hydraulic, electric);
    }
  }

  if (file != nullptr) std::fclose(file);
  EndConfigurationFile();
  CloseDebugLog();

  if (panelCount > 0 && drawingResources) drawingResources->CreateStandardSet();
  thermal.FinishConfiguration();
  thermal.AttachVessel(vessel);
}
