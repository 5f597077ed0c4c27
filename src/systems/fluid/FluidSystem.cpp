#include "systems/fluid/FluidSystem.h"

#include <strings.h>

#include <cstdio>
#include <string>

#include "config/ConfigText.h"
#include "config/Diagnostics.h"
#include "config/ExactNumber.h"
#include "config/TextScan.h"
#include "systems/ThermalModel.h"
#include "systems/fluid/FluidCrew.h"
#include "systems/fluid/FluidObject.h"
#include "systems/fluid/FluidPipe.h"
#include "systems/fluid/FluidRadiator.h"
#include "systems/fluid/FluidTank.h"
#include "systems/fluid/FluidVent.h"

void FluidSystem::LoadFromScenario(FILEHANDLE scn) {
  char *line;
  while (oapiReadScenario_nextline(scn, line) && !MatchKeyword(line, "</HYDRAULIC>")) {
    if (const char *record = AfterKeyword(line, "<TANK>")) LoadTankRecord(scn, line, record);
  }
}

// A record that names no tank of this vessel is logged and passed over to
// its end. A volume or valve the record does not give keeps the tank's own.
void FluidSystem::LoadTankRecord(FILEHANDLE scn, const char *recordLine, const char *text) {
  LineWord name;
  Fields fields(text);
  FluidTank *tank = nullptr;
  if ((fields >> name).Count() == 1) tank = dynamic_cast<FluidTank *>(FindNamed(name));
  if (tank == nullptr) {
    ReportUnplacedRecord(recordLine);
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
FluidValve *FluidSystem::ResolvePort(const char *text) {
  const VariableRef reference = Resolve(text, "tank");
  if (!reference) return nullptr;
  const void *address = reference.ObjectAddress();
  for (const auto &o : Objects()) {
    FluidTank *tank = dynamic_cast<FluidTank *>(o.get());
    if (tank != nullptr && address == &tank->in) return &tank->in;
    if (tank != nullptr && address == &tank->out) return &tank->out;
  }
  ReportError(kInvalidComponent);
  return nullptr;
}

FluidTank *FluidSystem::ResolveTank(const char *text) {
  const VariableRef reference = Resolve(text, "tank");
  if (!reference) return nullptr;
  FluidTank *tank = TankAt(reference.ObjectAddress());
  if (tank == nullptr) ReportError(kInvalidComponent);
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

}  // namespace

void FluidSystem::ParseConfigurationSection(FILE *file) {
  char *line;
  SectionLines section(file, "</HYDRAULIC>");
  while (section.Next(line)) {
    KeywordLine keyword(line);
    if (keyword.Is("<TANK>")) {
      CheckWordCount(line, 8, "tank line");
      ParseTank(file, keyword.rest);
    } else if (keyword.Is("<PIPE>")) {
      ParsePipes(file, keyword.rest);
    } else if (keyword.Is("<VENT>")) {
      ParseVent(file, keyword.rest);
    } else if (keyword.Is("<RADIATOR>")) {
      CheckWordCount(line, 6, "radiator line");
      ParseRadiator(file, keyword.rest);
    } else if (keyword.Is("<CREW>")) {
      CheckWordCount(line, 4, "crew line");
      ParseCrew(keyword.rest);
    } else if (line != nullptr) {
      ReportFinding("line not understood in <HYDRAULIC>");
    }
  }
}

// " NAME <x y z> VOLUME IN OUT [INSULATION]", then "CHM type mass vapour
// energy" lines up to "</TANK>". Missing numbers count as 0. A tank with no
// room is not built, and its lines are passed over.
void FluidSystem::ParseTank(FILE *file, const char *text) {
  LineWord name = "";
  Vec3 position;
  double volume = 0, insulation = 0;
  int inOpen = 0, outOpen = 0;
  Fields(text) >> name >> position >> volume >> inOpen >> outOpen >> insulation;
  const bool roomy = FluidTank::HasRoom(volume);
  if (!roomy)
    ReportFinding(std::string("tank ") + name + " has a volume of " + ExactNumber(volume).text +
                  " L; a tank must hold more than 0 L, so it is not built");
  FluidTank *tank = roomy ? Append<FluidTank>(name, volume, position) : nullptr;
  if (tank != nullptr) tank->contents.Reset();
  char *line;
  SectionLines section(file, "</TANK>");
  while (section.Next(line)) {
    if (const char *substance = AfterKeyword(line, "CHM")) {
      CheckWordCount(line, 5, "substance line");
      if (tank != nullptr) tank->AddSubstanceLine(substance);
    } else if (line != nullptr) {
      ReportFinding("line not understood in a tank");
    }
  }
  if (tank != nullptr) tank->Complete(inOpen != 0, outOpen != 0, insulation, this);
}

// " NAME", then one pipe a line: "SOURCE DESTINATION KIND [S1 S2] [FLAG]".
// Settings carry over from line to line; ONEWAY holds for the rest of the block.
void FluidSystem::ParsePipes(FILE *file, const char *text) {
  LineWord name = "";
  Fields(text) >> name;
  double setting1 = 0, setting2 = 0;
  bool twoWay = true;
  char *line;
  SectionLines section(file, "</PIPE>");
  while (section.Next(line)) {
    LineWord from = "", to = "", kindWord = "", flagWord = "";
    CheckWordCount(line, 2, "pipe");
    if (line == nullptr || (Fields(line) >> from >> to >> kindWord >> setting1 >> setting2 >> flagWord).Count() < 2)
      continue;
    if (MatchKeyword(kindWord, "ONEWAY") || MatchKeyword(flagWord, "ONEWAY")) twoWay = false;
    const PipeKind kind = KindFromWord(kindWord);
    FluidValve *source = ResolvePort(from);
    FluidValve *destination = ResolvePort(to);
    const bool plain = kind == kPlainPipe;
    Append<FluidPipe>(name, source, destination, kind, plain ? 0 : setting1, plain ? 0 : setting2, twoWay);
  }
}

// " NAME IN OUT", then one exhaust point a line: "<x y z> <dx dy dz> SIZE".
void FluidSystem::ParseVent(FILE *file, const char *text) {
  LineWord name = "";
  int inOpen = 0, outOpen = 0;
  Fields(text) >> name >> inOpen >> outOpen;
  FluidVent *vent = Append<FluidVent>(name);
  vent->in.open = inOpen;
  vent->out.open = outOpen;
  vent->contents.Reset();
  char *line;
  SectionLines section(file, "</VENT>");
  while (section.Next(line)) {
    Vec3 position, direction;
    double size = 0;
    if (line == nullptr) continue;
    const int read = (Fields(line) >> position >> direction >> size).Count();
    if (read != 7)
      ReportFinding("exhaust line gives " + std::to_string(read) +
                    " of its 7 numbers (<x y z> <dx dy dz> SIZE): no exhaust is made");
    else if (!vent->AddExhaust(position, direction, size))
      ReportFinding(std::string("vent ") + name + " already has " + std::to_string(kMaxExhausts) +
                    " exhausts: this one is not made");
  }
}

// " NAME <x y z> TEMPERATURE" and, on the next line, "AREA EMISSIVITY MASS".
// Without a second line giving a positive mass there is no radiator: a body
// without mass has no temperature.
void FluidSystem::ParseRadiator(FILE *file, const char *text) {
  LineWord name = "";
  Vec3 position;
  double temperature = 0, area = 0, emissivity = 0, mass = 0;
  Fields(text) >> name >> position >> temperature;
  const char *second = ReadConfigLine(file);
  const int read = second != nullptr ? (Fields(second) >> area >> emissivity >> mass).Count() : 0;
  if (read != 3 || !(mass > 0)) {
    ReportFinding(std::string("radiator ") + name + " wants \"AREA EMISSIVITY MASS\" on the line after it, the mass " +
                  "above 0; this line gives " + std::to_string(read) + " of the 3 numbers" +
                  (read == 3 ? " and a mass of " + std::string(ExactNumber(mass).text) : "") +
                  ": the radiator is not built");
    return;
  }
  FluidRadiator *radiator = Append<FluidRadiator>(name, position, temperature, area, emissivity, mass);
  thermal->Register(radiator);
  radiator->system = this;
}

// "NAME COUNT TANK"
void FluidSystem::ParseCrew(const char *text) {
  LineWord name = "", tank = "";
  int count = 0;
  Fields(text) >> name >> count >> tank;
  Append<FluidCrew>(name, count, ResolveTank(tank));
}
