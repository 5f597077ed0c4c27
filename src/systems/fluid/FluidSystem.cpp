#include "systems/fluid/FluidSystem.h"

#include <strings.h>

#include <cstdio>
#include <string>

#include "config/text/ExactNumber.h"
#include "config/text/Diagnostics.h"
#include "config/text/Keywords.h"
#include "config/text/ParseContext.h"
#include "config/text/SectionLines.h"
#include "config/text/TextScan.h"
#include "systems/ThermalModel.h"
#include "systems/fluid/FluidCrew.h"
#include "systems/fluid/FluidObject.h"
#include "systems/fluid/FluidPipe.h"
#include "systems/fluid/FluidRadiator.h"
#include "systems/fluid/FluidTank.h"
#include "systems/fluid/FluidVent.h"

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
// order the file gives them.
namespace {

PipeKind KindFromWord(const char *word) {
  if (MatchKeyword(word, "PREG")) return kRegulatorPipe;
  if (MatchKeyword(word, "BURST")) return kBurstPipe;
  if (MatchKeyword(word, "PVALVE")) return kWallPipe;
  return kPlainPipe;
}

// A line kind of the <HYDRAULIC> section: its tag, the words its opening
// line has for a check (none: not counted) and what a finding calls it, and
// its reader, which takes the text after the tag and the lines of its block.
struct FluidLineKind {
  const char *tag;
  size_t words;
  const char *what;
  void (*read)(FluidSystem &fluid, ParseContext &context, const char *text);
};

// " NAME <x y z> VOLUME IN OUT [INSULATION]", then "CHM type mass vapour
// energy" lines up to "</TANK>". Missing numbers count as 0. A tank with no
// room is not built, and its lines are passed over.
void ReadTank(FluidSystem &fluid, ParseContext &context, const char *text) {
  LineWord name = "";
  Vec3 position;
  double volume = 0, insulation = 0;
  int inOpen = 0, outOpen = 0;
  Fields(text, &context.diagnostics) >> name >> position >> volume >> inOpen >> outOpen >> insulation;
  const bool roomy = FluidTank::HasRoom(volume);
  if (!roomy)
    context.diagnostics.Report(std::string("tank ") + name + " has a volume of " + ExactNumber(volume).text +
                               " L; a tank must hold more than 0 L, so it is not built");
  FluidTank *tank = roomy ? fluid.Define<FluidTank>(context.diagnostics, name, volume, position) : nullptr;
  if (tank != nullptr) tank->contents.Reset();
  char *line;
  SectionLines section(context, "</TANK>");
  while (section.Next(line)) {
    if (const char *substance = AfterKeyword(line, "CHM")) {
      context.diagnostics.CheckWordCount(line, 5, "substance line");
      if (tank != nullptr) tank->AddSubstanceLine(substance, context.diagnostics);
    } else if (line != nullptr) {
      context.diagnostics.Report("line not understood in a tank");
    }
  }
  if (tank != nullptr) tank->Complete(inOpen != 0, outOpen != 0, insulation, fluid.thermal);
}

// " NAME", then one pipe a line: "SOURCE DESTINATION KIND [S1 S2] [FLAG]".
// Settings carry over from line to line; ONEWAY holds for the rest of the block.
void ReadPipes(FluidSystem &fluid, ParseContext &context, const char *text) {
  LineWord name = "";
  Fields(text, &context.diagnostics) >> name;
  double setting1 = 0, setting2 = 0;
  bool twoWay = true;
  char *line;
  SectionLines section(context, "</PIPE>");
  while (section.Next(line)) {
    LineWord from = "", to = "", kindWord = "", flagWord = "";
    context.diagnostics.CheckWordCount(line, 2, "pipe");
    if (line == nullptr ||
        (Fields(line, &context.diagnostics) >> from >> to >> kindWord >> setting1 >> setting2 >> flagWord).Count() < 2)
      continue;
    if (MatchKeyword(kindWord, "ONEWAY") || MatchKeyword(flagWord, "ONEWAY")) twoWay = false;
    const PipeKind kind = KindFromWord(kindWord);
    FluidValve *source = fluid.ResolvePort(from, context.diagnostics);
    FluidValve *destination = fluid.ResolvePort(to, context.diagnostics);
    const bool plain = kind == kPlainPipe;
    fluid.Define<FluidPipe>(context.diagnostics, name, source, destination, kind, plain ? 0 : setting1,
                            plain ? 0 : setting2, twoWay);
  }
}

// " NAME IN OUT", then one exhaust point a line: "<x y z> <dx dy dz> SIZE".
void ReadVent(FluidSystem &fluid, ParseContext &context, const char *text) {
  LineWord name = "";
  int inOpen = 0, outOpen = 0;
  Fields(text, &context.diagnostics) >> name >> inOpen >> outOpen;
  FluidVent *vent = fluid.Define<FluidVent>(context.diagnostics, name);
  vent->in.open = inOpen;
  vent->out.open = outOpen;
  vent->contents.Reset();
  char *line;
  SectionLines section(context, "</VENT>");
  while (section.Next(line)) {
    Vec3 position, direction;
    double size = 0;
    if (line == nullptr) continue;
    const int read = (Fields(line, &context.diagnostics) >> position >> direction >> size).Count();
    if (read != 7)
      context.diagnostics.Report("exhaust line gives " + std::to_string(read) +
                                 " of its 7 numbers (<x y z> <dx dy dz> SIZE): no exhaust is made");
    else if (!vent->AddExhaust(position, direction, size))
      context.diagnostics.Report(std::string("vent ") + name + " already has " + std::to_string(kMaxExhausts) +
                                 " exhausts: this one is not made");
  }
}

// " NAME <x y z> TEMPERATURE" and, on the next line, "AREA EMISSIVITY MASS".
// Without a second line giving a positive mass there is no radiator: a body
// without mass has no temperature.
void ReadRadiator(FluidSystem &fluid, ParseContext &context, const char *text) {
  LineWord name = "";
  Vec3 position;
  double temperature = 0, area = 0, emissivity = 0, mass = 0;
  Fields(text, &context.diagnostics) >> name >> position >> temperature;
  const char *second = context.NextLine();
  const int read = second != nullptr ? (Fields(second, &context.diagnostics) >> area >> emissivity >> mass).Count() : 0;
  if (read != 3 || !(mass > 0)) {
    context.diagnostics.Report(
        std::string("radiator ") + name + " wants \"AREA EMISSIVITY MASS\" on the line after it, the mass " +
        "above 0; this line gives " + std::to_string(read) + " of the 3 numbers" +
        (read == 3 ? " and a mass of " + std::string(ExactNumber(mass).text) : "") + ": the radiator is not built");
    return;
  }
  FluidRadiator *radiator =
      fluid.Define<FluidRadiator>(context.diagnostics, name, position, temperature, area, emissivity, mass);
  fluid.thermal->Register(radiator);
  radiator->thermalModel = fluid.thermal;
}

// "NAME COUNT TANK"
void ReadCrew(FluidSystem &fluid, ParseContext &context, const char *text) {
  LineWord name = "", tank = "";
  int count = 0;
  Fields(text, &context.diagnostics) >> name >> count >> tank;
  fluid.Define<FluidCrew>(context.diagnostics, name, count, fluid.ResolveTank(tank, context.diagnostics));
}

const FluidLineKind kLineKinds[] = {
    {"<TANK>", 8, "tank line", ReadTank}, {"<PIPE>", 0, "", ReadPipes},
    {"<VENT>", 0, "", ReadVent},          {"<RADIATOR>", 6, "radiator line", ReadRadiator},
    {"<CREW>", 4, "crew line", ReadCrew},
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
      if (kind->words > 0) context.diagnostics.CheckWordCount(line, kind->words, kind->what);
      kind->read(*this, context, keyword.rest);
    } else if (line != nullptr) {
      context.diagnostics.Report("line not understood in <HYDRAULIC>");
    }
  }
}
