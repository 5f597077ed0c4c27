#include "systems/fluid/FluidSystem.h"

#include <strings.h>

#include <cstdio>
#include <string>

#include "config/text/Diagnostics.h"
#include "config/text/Keywords.h"
#include "config/text/LineGrammar.h"
#include "config/text/ParseContext.h"
#include "config/text/SectionLines.h"
#include "config/text/TextScan.h"
#include "systems/fluid/FluidBuilder.h"
#include "systems/fluid/FluidObject.h"
#include "systems/fluid/FluidTank.h"

void FluidSystem::LoadFromScenario(FILEHANDLE scn, std::string &logEntries) {
  char *line;
  while (oapiReadScenario_nextline(scn, line) && !MatchKeyword(line, "</HYDRAULIC>")) {
    if (const char *record = AfterKeyword(line, "<TANK>")) LoadTankRecord(scn, line, record, logEntries);
  }
}

// A record that names no tank of this vessel is logged and passed over to
// its end. A volume or valve the record does not give keeps the tank's own.
void FluidSystem::LoadTankRecord(FILEHANDLE scn, const char *recordLine, const char *text, std::string &logEntries) {
  LineWord name;
  Fields fields(text);
  FluidTank *tank = nullptr;
  if ((fields >> name).Count() == 1) tank = dynamic_cast<FluidTank *>(FindNamed(name));
  if (tank == nullptr) {
    logEntries += DebugLog::UnplacedRecord(recordLine);
    char *line;
    while (oapiReadScenario_nextline(scn, line) && !MatchKeyword(line, "</TANK>")) {
    }
    return;
  }
  tank->LoadRecord(scn, fields.Rest());
}

void FluidSystem::LinkToVessel(VESSEL *vessel, PROPELLANT_HANDLE ventResource) {
  for (const auto &o : Objects()) static_cast<FluidObject *>(o.get())->LinkToVessel(vessel, ventResource);
}

FluidTank *FluidSystem::TankAt(const void *address) const {
  if (!Contains(address)) return nullptr;
  return dynamic_cast<FluidTank *>(static_cast<SystemObject *>(const_cast<void *>(address)));
}

void FluidSystem::ShowTankFigures() {
  for (const auto &object : Objects())
    if (auto *tank = dynamic_cast<FluidTank *>(object.get())) tank->ShowFigures();
}

// Something that resolved, but to the wrong kind of thing, is as invalid a
// component as a name that resolves to nothing.
FluidValve *FluidSystem::ResolvePort(const char *text, Diagnostics &diagnostics) {
  const VariableRef reference = Resolve(text, "tank", diagnostics);
  if (!reference) return nullptr;
  const void *address = reference.ObjectAddress();
  for (const auto &o : Objects()) {
    FluidTank *tank = dynamic_cast<FluidTank *>(o.get());
    if (tank != nullptr && address == &tank->in) return &tank->in;
    if (tank != nullptr && address == &tank->out) return &tank->out;
  }
  diagnostics.LogError(kInvalidComponent);
  return nullptr;
}

FluidTank *FluidSystem::ResolveTank(const char *text, Diagnostics &diagnostics) {
  const VariableRef reference = Resolve(text, "tank", diagnostics);
  if (!reference) return nullptr;
  FluidTank *tank = TankAt(reference.ObjectAddress());
  if (tank == nullptr) diagnostics.LogError(kInvalidComponent);
  return tank;
}

// The <HYDRAULIC> section: tanks, pipes, vents, radiators and crew, in the
// order the file gives them, each line described and built as it is read.
namespace {

// A line kind of the section: its tag and its reader, which takes the line,
// the text after the tag and the lines of its block.
struct FluidLineKind {
  const char *tag;
  void (*read)(FluidSystem &fluid, ParseContext &context, const char *line, const char *text);
};

// Then "CHM type mass vapour energy" lines up to "</TANK>". A tank with no
// room is not built, and its lines are passed over.
void ReadTank(FluidSystem &fluid, ParseContext &context, const char *line, const char *text) {
  const LineDescription header(kTankGrammar, line, text, context.diagnostics);
  FluidTank *tank = BuildTank(fluid, header, context.diagnostics);
  char *substanceLine;
  SectionLines section(context, "</TANK>");
  while (section.Next(substanceLine)) {
    if (const char *substance = AfterKeyword(substanceLine, "CHM")) {
      context.diagnostics.CheckWordCount(substanceLine, 5, "substance line");
      if (tank != nullptr) tank->AddSubstanceLine(substance, context.diagnostics);
    } else if (substanceLine != nullptr) {
      context.diagnostics.Report("line not understood in a tank");
    }
  }
  if (tank != nullptr) CompleteTank(fluid, *tank, header);
}

// A line short of its source and destination is no pipe.
void ReadPipes(FluidSystem &fluid, ParseContext &context, const char *line, const char *text) {
  PipeBuilder pipes(fluid, LineDescription(kPipesGrammar, line, text, context.diagnostics));
  char *pipeLine;
  SectionLines section(context, "</PIPE>");
  while (section.Next(pipeLine)) {
    if (pipeLine == nullptr) continue;
    const LineDescription pipe(kPipeGrammar, pipeLine, pipeLine, context.diagnostics);
    if (pipe.Complete()) pipes.Build(pipe, context.diagnostics);
  }
}

// An exhaust line says itself what it lacks, in numbers.
void ReadVent(FluidSystem &fluid, ParseContext &context, const char *line, const char *text) {
  FluidVent *vent = BuildVent(fluid, LineDescription(kVentGrammar, line, text, context.diagnostics),
                              context.diagnostics);
  char *exhaustLine;
  SectionLines section(context, "</VENT>");
  while (section.Next(exhaustLine)) {
    if (exhaustLine == nullptr) continue;
    BuildExhaust(*vent, LineDescription(kExhaustGrammar, nullptr, exhaustLine, context.diagnostics),
                 context.diagnostics);
  }
}

void ReadRadiator(FluidSystem &fluid, ParseContext &context, const char *line, const char *text) {
  const LineDescription header(kRadiatorGrammar, line, text, context.diagnostics);
  const char *second = context.NextLine();
  if (second == nullptr) {
    BuildRadiator(fluid, header, nullptr, context.diagnostics);
    return;
  }
  const LineDescription body(kRadiatorBodyGrammar, nullptr, second, context.diagnostics);
  BuildRadiator(fluid, header, &body, context.diagnostics);
}

void ReadCrew(FluidSystem &fluid, ParseContext &context, const char *line, const char *text) {
  BuildCrew(fluid, LineDescription(kCrewGrammar, line, text, context.diagnostics), context.diagnostics);
}

const FluidLineKind kLineKinds[] = {
    {"<TANK>", ReadTank},         {"<PIPE>", ReadPipes}, {"<VENT>", ReadVent},
    {"<RADIATOR>", ReadRadiator}, {"<CREW>", ReadCrew},
};

}  // namespace

void FluidSystem::ParseConfigurationSection(ParseContext &context) {
  char *line;
  SectionLines section(context, "</HYDRAULIC>");
  while (section.Next(line)) {
    KeywordLine keyword(line);
    const FluidLineKind *kind = nullptr;
    for (const FluidLineKind &candidate : kLineKinds)
      if (kind == nullptr && keyword.Is(candidate.tag)) kind = &candidate;
    if (kind != nullptr) {
      kind->read(*this, context, line, keyword.rest);
    } else if (line != nullptr) {
      context.diagnostics.Report("line not understood in <HYDRAULIC>");
    }
  }
}
