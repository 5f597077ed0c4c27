#include "systems/electric/ElectricSystem.h"

#include <strings.h>

#include <cstdio>

#include "config/text/Diagnostics.h"
#include "config/text/Keywords.h"
#include "config/text/ParseContext.h"
#include "config/text/SectionLines.h"
#include "config/text/TextScan.h"
#include "systems/electric/AtmRegenerator.h"
#include "systems/electric/Battery.h"
#include "systems/electric/Boiler.h"
#include "systems/electric/CoolingLoop.h"
#include "systems/electric/ElectricObject.h"
#include "systems/electric/FuelCell.h"
#include "systems/electric/PowerBus.h"
#include "systems/electric/Socket.h"
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
// and builds nothing. Each line is "<TAG> NAME" and its fields; the sources
// are electric objects, the ports and tanks fluid ones.
namespace {

// True when `read` fields of `expected` were read; otherwise the line is
// logged as short.
bool Complete(Diagnostics &diagnostics, const char *line, int read, int expected) {
  diagnostics.CheckWordCount(line, expected + 1, "line");
  if (read == expected) return true;
  diagnostics.LogError(kInvalidParameterCount);
  return false;
}

// "NAME CAPACITY SOURCE"
void ReadBattery(ElectricSystem &electric, Diagnostics &diagnostics, const char *line, const char *text) {
  LineWord name, source;
  double capacity;
  if (Complete(diagnostics, line, (Fields(text, &diagnostics) >> name >> capacity >> source).Count(), 3))
    electric.Define<Battery>(diagnostics, name, electric.ResolveSource(source, diagnostics), capacity);
}

// "NAME <x y z> RATING OXYGEN HYDROGEN WATER"
void ReadFuelCell(ElectricSystem &electric, Diagnostics &diagnostics, const char *line, const char *text) {
  LineWord name, oxygen, hydrogen, water;
  Vec3 position;
  double rating;
  FluidSystem &fluid = *electric.fluid;
  if (Complete(diagnostics, line,
               (Fields(text, &diagnostics) >> name >> position >> rating >> oxygen >> hydrogen >> water).Count(), 8))
    electric.Define<FuelCell>(diagnostics, name, position, fluid.ResolvePort(oxygen, diagnostics),
                              fluid.ResolvePort(hydrogen, diagnostics), fluid.ResolvePort(water, diagnostics),
                              static_cast<float>(rating));
}

// "NAME SOURCE"
template <typename Bus>
void ReadBus(ElectricSystem &electric, Diagnostics &diagnostics, const char *line, const char *text) {
  LineWord name, source;
  if (Complete(diagnostics, line, (Fields(text, &diagnostics) >> name >> source).Count(), 2))
    electric.Define<Bus>(diagnostics, name, electric.ResolveSource(source, diagnostics));
}

// "NAME POSITION TARGET CANDIDATE1 CANDIDATE2 CANDIDATE3"
void ReadSocket(ElectricSystem &electric, Diagnostics &diagnostics, const char *line, const char *text) {
  LineWord name, source, candidates[3];
  int position;
  Fields fields(text, &diagnostics);
  fields >> name >> position >> source >> candidates[0] >> candidates[1] >> candidates[2];
  // Positions 1 to 3 choose a candidate; 0 applies none until the socket is
  // turned, and any other selects none ever (its CONNECT reads it less 2).
  if (position < 0 || position > 3)
    diagnostics.Report(std::string("socket ") + name + " at position " + std::to_string(position) +
                       " selects no candidate (1, 2 or 3 do; 0 leaves the target's source as it is)");
  if (Complete(diagnostics, line, fields.Count(), 6))
    electric.Define<Socket>(diagnostics, name, electric.ResolveSource(source, diagnostics), position,
                            electric.ResolveSource(candidates[0], diagnostics),
                            electric.ResolveSource(candidates[1], diagnostics),
                            electric.ResolveSource(candidates[2], diagnostics));
}

// "NAME MODE SOURCE HEAD INLET OUTLET"
void ReadRegenerator(ElectricSystem &electric, Diagnostics &diagnostics, const char *line, const char *text) {
  LineWord name, source, from, to;
  int mode;
  double head;
  if (Complete(diagnostics, line, (Fields(text, &diagnostics) >> name >> mode >> source >> head >> from >> to).Count(),
               6))
    electric.Define<AtmRegenerator>(diagnostics, name, mode, electric.ResolveSource(source, diagnostics), head,
                                    electric.fluid->ResolvePort(from, diagnostics),
                                    electric.fluid->ResolvePort(to, diagnostics));
}

// "NAME MODE SOURCE SETPOINT POWER TANK"
void ReadBoiler(ElectricSystem &electric, Diagnostics &diagnostics, const char *line, const char *text) {
  LineWord name, source, tank;
  int mode;
  double setPoint, power;
  if (Complete(diagnostics, line,
               (Fields(text, &diagnostics) >> name >> mode >> source >> setPoint >> power >> tank).Count(), 6))
    electric.Define<Boiler>(diagnostics, name, mode, electric.ResolveSource(source, diagnostics), setPoint, power,
                            electric.fluid->ResolveTank(tank, diagnostics));
}

// A line kind of the section that is one line, and its reader, which takes
// the whole line and the text after the tag.
const struct {
  const char *tag;
  void (*read)(ElectricSystem &electric, Diagnostics &diagnostics, const char *line, const char *text);
} kLineKinds[] = {
    {"<BATTERY>", ReadBattery},  {"<FCELL>", ReadFuelCell}, {"<DCBUS>", ReadBus<DCBus>},
    {"<ACBUS>", ReadBus<ACBus>}, {"<SOCKET>", ReadSocket},  {"<ATMREGEN>", ReadRegenerator},
    {"<BOILER>", ReadBoiler},
};

}  // namespace

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
  for (const auto &kind : kLineKinds) {
    if (!keyword.Is(kind.tag)) continue;
    kind.read(*this, context.diagnostics, line, keyword.rest);
    return;
  }
  context.diagnostics.Report("line not understood in <ELECTRIC>");
}

// "NAME MODE SOURCE CAPACITY MINT MAXT", then "BODY COEFFICIENT" lines up to
// "</COOLING>". A body is any object with a thermal part: electric ones by
// name, fluid ones as "HYDRAULIC:NAME".
void ElectricSystem::ParseCoolingLoop(ParseContext &context, const char *header, const char *text) {
  LineWord name, source;
  int mode;
  double capacity, low, high;
  CoolingLoop *loop = nullptr;
  if (Complete(context.diagnostics, header,
               (Fields(text, &context.diagnostics) >> name >> mode >> source >> capacity >> low >> high).Count(), 6))
    loop = Define<CoolingLoop>(context.diagnostics, name, mode, ResolveSource(source, context.diagnostics), capacity,
                               low, high);
  char *line;
  SectionLines section(context, "</COOLING>");
  while (section.Next(line)) {
    LineWord body;
    double coefficient = 0;
    if (loop == nullptr || line == nullptr) continue;
    // The body is resolved whatever follows it, so that a name matching
    // nothing is logged as every other reference is.
    const int read = (Fields(line, &context.diagnostics) >> body >> coefficient).Count();
    void *address = ResolveReference(body, context.diagnostics).ObjectAddress();
    SystemObject *owner = static_cast<SystemObject *>(address);
    if (address == nullptr || !(Contains(address) || fluid->Contains(address))) continue;
    ThermalBody *thermalPart = owner->ThermalPart();
    if (read < 2)
      context.diagnostics.Report(std::string("cooling body ") + body + " has no coefficient: it is left out of loop " +
                                 loop->name);
    else if (thermalPart == nullptr)
      context.diagnostics.Report(std::string("cooling body ") + body +
                                 " has no temperature to move: it is left out of loop " + loop->name);
    else if (!loop->AddBody(owner, thermalPart, coefficient))
      context.diagnostics.Report(std::string("loop ") + loop->name + " already has " + std::to_string(kMaxLoopBodies) +
                                 " bodies: " + body + " is left out");
  }
}
