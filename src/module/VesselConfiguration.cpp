#include "module/VesselConfiguration.h"

#include <cstdio>

#include "config/KeyboardSection.h"
#include "config/VesselSection.h"
#include "config/text/BoundedCopy.h"
#include "config/text/Diagnostics.h"
#include "config/text/ExactNumber.h"
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

// The longest plant step the check takes without a word: a port moves at most
// 5 mL a step whatever its length, so a step of seconds slows every flow a
// hundredfold while a crew breathes per second.
constexpr double kLongestSaneStep = 1.0;

// "SYSTEMS_STEP SECONDS": the plant's fixed step. A line without a step above
// 0 is passed over; one of more than a second is taken, and the check says
// what it does to the plant, since milliseconds are easily meant.
void VesselConfiguration::ReadSystemsStep(ParseContext &context, const char *text) {
  double seconds = 0.0;
  if ((Fields(text, &context.diagnostics) >> seconds).Count() == 1 && FixedSystemsStep::Valid(seconds)) {
    onboard.SystemsStep().SetLength(seconds);
    if (seconds > kLongestSaneStep)
      context.diagnostics.Report("SYSTEMS_STEP " + std::string(ExactNumber(seconds).text) +
                                 " is in seconds: a port moves at most 5 mL a step, so flows run " +
                                 ExactNumber(seconds / 0.02).text +
                                 " times slower a second than at 0.02 s while crews breathe as fast (" +
                                 ExactNumber(seconds / 1000).text + " if milliseconds were meant)");
    return;
  }
  context.diagnostics.Report("SYSTEMS_STEP wants a step in seconds above 0: the line is passed over");
}
