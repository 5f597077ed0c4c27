// The configuration file's top level: each section's opening line hands the
// section to its parser, in file order.
#include <cstdio>

#include "config/BoundedCopy.h"
#include "config/ConfigText.h"
#include "config/Diagnostics.h"
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
    LineWord read;
    // Class file and panel names are cut to 39 characters.
    char word[40] = "";
    KeywordLine keyword(line);
    if (keyword.Is("Panel", 2)) {
      if ((Fields(keyword.rest) >> read).Count() == 1) LoadClassFile(CopyName(word, read));
    } else if (keyword.Is("<VESSEL>")) {
      configurationSet.ParseVesselSection(file);
    } else if (keyword.Is("<HYDRAULIC>")) {
      fluid.ParseConfigurationSection(file);
    } else if (keyword.Is("<ELECTRIC>")) {
      electric.ParseConfigurationSection(file);
    } else if (keyword.Is("<PANEL>")) {
      if ((Fields(keyword.rest) >> read).Count() == 1) CopyName(word, read);
      ParsePanelSection(file, word);
    } else if (keyword.Is("<KEYBOARD>")) {
      configurationSet.ParseKeyboardSection(file);
    } else if (keyword.Is("<SEPARATION>")) {
      configurationSet.ParseSeparationSection(file, fluid, electric);
    } else if (line != nullptr) {
      ReportFinding("line outside every section");
    }
  }

  if (file != nullptr) std::fclose(file);
  EndConfigurationFile();
  CloseDebugLog();

  if (panelCount > 0 && drawingResources) drawingResources->CreateStandardSet();
  thermal.FinishConfiguration();
}
