#include "module/VesselConfiguration.h"

#include <cstdio>

#include "config/KeyboardSection.h"
#include "config/VesselSection.h"
#include "config/text/BoundedCopy.h"
#include "config/text/Diagnostics.h"
#include "config/text/Keywords.h"
#include "config/text/ParseContext.h"
#include "config/text/SourceText.h"
#include "config/text/TextScan.h"
#include "module/OnboardSystems.h"
#include "module/SeparationSection.h"
#include "panels/PanelDeck.h"

void VesselConfiguration::Read(const char *className, Diagnostics &diagnostics) {
  char fileName[64];
  std::snprintf(fileName, sizeof fileName, "Config\\%s.cfg", className);
  SourceText text = SourceText::OpenWindowsFile(fileName);
  if (!text.Opened()) diagnostics.LogMissingFile(fileName);
  ParseContext context(text, diagnostics);
  while (!context.Ended()) ReadTopLevelLine(context, context.NextLine());
  diagnostics.ReportLateDefinitions();
}

void VesselConfiguration::ReadTopLevelLine(ParseContext &context, const char *line) {
  LineWord read;
  // Class file and panel names are cut to 39 characters.
  char word[40] = "";
  KeywordLine keyword(line);
  if (keyword.Is("Panel", 2)) {
    if ((Fields(keyword.rest, &context.diagnostics) >> read).Count() == 1)
      deck.LoadClassFile(context, CopyName(word, read, &context.diagnostics));
  } else if (keyword.Is("<VESSEL>")) {
    VesselSection(set).Read(context);
  } else if (keyword.Is("<HYDRAULIC>")) {
    onboard.Fluid().ParseConfigurationSection(context);
  } else if (keyword.Is("<ELECTRIC>")) {
    onboard.Electric().ParseConfigurationSection(context);
  } else if (keyword.Is("<PANEL>")) {
    if ((Fields(keyword.rest, &context.diagnostics) >> read).Count() == 1) CopyName(word, read, &context.diagnostics);
    deck.ParseSection(context, word, resolver);
  } else if (keyword.Is("<KEYBOARD>")) {
    KeyboardSection(set).Read(context);
  } else if (keyword.Is("<SEPARATION>")) {
    SeparationSection(set, onboard.Fluid(), onboard.Electric()).Read(context);
  } else if (keyword.Is("SYSTEMS_STEP")) {
    ReadSystemsStep(context, keyword.rest);
  } else if (line != nullptr) {
    context.diagnostics.Report("line outside every section");
  }
}

// "SYSTEMS_STEP SECONDS": the plant's fixed step. A line without a step above
// 0 is passed over.
void VesselConfiguration::ReadSystemsStep(ParseContext &context, const char *text) {
  double seconds = 0.0;
  if ((Fields(text, &context.diagnostics) >> seconds).Count() == 1 && FixedSystemsStep::Valid(seconds)) {
    onboard.SystemsStep().SetLength(seconds);
    return;
  }
  context.diagnostics.Report("SYSTEMS_STEP wants a step in seconds above 0: the line is passed over");
}
