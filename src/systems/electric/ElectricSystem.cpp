#include "systems/electric/ElectricSystem.h"

#include <strings.h>

#include <cstdio>

#include "config/text/Diagnostics.h"
#include "config/text/Keywords.h"
#include "config/text/LineGrammar.h"
#include "config/text/ParseContext.h"
#include "config/text/SectionLines.h"
#include "config/text/TextScan.h"
#include "systems/electric/ElectricBuilder.h"
#include "systems/electric/ElectricObject.h"
#include "systems/fluid/FluidSystem.h"

VariableRef ElectricSystem::ResolveReference(const char *text, Diagnostics &diagnostics) {
  if (MatchKeyword(text, "NOPOWER")) return {};
  // The character after a system's name (its colon) is passed over.
  if (const char *name = AfterKeyword(text, "ELECTRIC", 1)) text = name;
  if (const char *name = AfterKeyword(text, "HYDRAULIC", 1)) return fluid->ResolveReference(name, diagnostics);
  return SystemList::ResolveReference(text, diagnostics);
}

ElectricObject *ElectricSystem::ResolveSource(const char *text, Diagnostics &diagnostics) {
  VariableRef reference = ResolveReference(text, diagnostics);
  if (!reference) return nullptr;
  void *address = reference.ObjectAddress();
  if (Contains(address)) return static_cast<ElectricObject *>(static_cast<SystemObject *>(address));
  diagnostics.LogError(kInvalidComponent);
  return nullptr;
}

// Each line names its object after its tag; a line naming no object of this
// vessel is logged and skipped.
void ElectricSystem::LoadFromScenario(FILEHANDLE scn, std::string &logEntries) {
  char *line;
  while (oapiReadScenario_nextline(scn, line) && strcasecmp(line, "</ELECTRIC>") != 0) {
    LineWord tag, name;
    if ((Fields(line) >> tag >> name).Count() != 2) continue;
    if (SystemObject *object = FindNamed(name)) {
      static_cast<ElectricObject *>(object)->LoadStateLine(line);
    } else {
      logEntries += DebugLog::UnplacedRecord(line);
    }
  }
}

// The <ELECTRIC> section: one object a line (a cooling loop with its block of
// bodies), appended in file order. A line without all of its fields is logged
// and builds nothing.
void ElectricSystem::ParseConfigurationSection(ParseContext &context) {
  char *line;
  SectionLines section(context, "</ELECTRIC>");
  while (section.Next(line)) {
    if (line != nullptr) ParseLine(context, line);
  }
}

void ElectricSystem::ParseLine(ParseContext &context, const char *line) {
  KeywordLine keyword(line);
  if (keyword.Is("<COOLING>")) {
    ParseCoolingLoop(context, line, keyword.rest);
    return;
  }
  const ElectricLineKind *kind = FindElectricLineKind(keyword);
  if (kind == nullptr) {
    context.diagnostics.Report("line not understood in <ELECTRIC>");
    return;
  }
  const LineDescription description(kind->grammar, line, keyword.rest, context.diagnostics);
  if (Whole(description, context.diagnostics)) kind->build(*this, description, context.diagnostics);
}

bool ElectricSystem::Whole(const LineDescription &description, Diagnostics &diagnostics) {
  if (!description.Complete()) diagnostics.LogError(kInvalidParameterCount);
  return description.Complete();
}

// The header, then "BODY COEFFICIENT" lines up to "</COOLING>"; the bodies of
// a loop that is not built are passed over.
void ElectricSystem::ParseCoolingLoop(ParseContext &context, const char *header, const char *text) {
  const LineDescription description(kCoolingLoopGrammar, header, text, context.diagnostics);
  CoolingLoop *loop = Whole(description, context.diagnostics)
                          ? BuildCoolingLoop(*this, description, context.diagnostics)
                          : nullptr;
  char *line;
  SectionLines section(context, "</COOLING>");
  while (section.Next(line)) {
    if (loop == nullptr || line == nullptr) continue;
    BuildCoolingBody(*this, *loop, LineDescription(kCoolingBodyGrammar, line, line, context.diagnostics),
                     context.diagnostics);
  }
}
