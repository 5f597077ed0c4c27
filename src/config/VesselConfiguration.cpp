#include "config/VesselConfiguration.h"

#include <cstdio>

#include "config/BoundedCopy.h"
#include "config/ConfigText.h"
#include "config/Diagnostics.h"
#include "config/TextScan.h"
#include "config/KeyboardSection.h"
#include "config/SeparationSection.h"
#include "config/VesselSection.h"
#include "module/VesselSystems.h"
#include "winpath.h"

void VesselConfiguration::Read(const char *className) {
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
      if ((Fields(keyword.rest) >> read).Count() == 1) systems.LoadClassFile(CopyName(word, read));
    } else if (keyword.Is("<VESSEL>")) {
      VesselSection(systems.configurationSet).Read(file);
    } else if (keyword.Is("<HYDRAULIC>")) {
      systems.fluid.ParseConfigurationSection(file);
    } else if (keyword.Is("<ELECTRIC>")) {
      systems.electric.ParseConfigurationSection(file);
    } else if (keyword.Is("<PANEL>")) {
      if ((Fields(keyword.rest) >> read).Count() == 1) CopyName(word, read);
      systems.ParsePanelSection(file, word);
    } else if (keyword.Is("<KEYBOARD>")) {
      KeyboardSection(systems.configurationSet).Read(file);
    } else if (keyword.Is("<SEPARATION>")) {
      SeparationSection(systems.configurationSet, systems.fluid, systems.electric).Read(file);
    } else if (line != nullptr) {
      ReportFinding("line outside every section");
    }
  }

  if (file != nullptr) std::fclose(file);
  EndConfigurationFile();
  CloseDebugLog();
}
