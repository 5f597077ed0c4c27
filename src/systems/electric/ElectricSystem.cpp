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
// and builds nothing.
namespace {

// True when `read` fields of `expected` were read; otherwise the line is
// logged as short.
bool Complete(Diagnostics &diagnostics, const char *line, int read, int expected) {
  diagnostics.CheckWordCount(line, expected + 1, "line");
  if (read == expected) return true;
  diagnostics.LogError(kInvalidParameterCount);
  return false;
}

}  // namespace

void ElectricSystem::ParseConfigurationSection(ParseContext &context) {
  char *line;
  SectionLines section(context, "</ELECTRIC>");
  while (section.Next(line)) {
    if (line != nullptr) ParseLine(context, line);
  }
}

// Each line: "<TAG> NAME" and its fields; the sources are electric objects,
// the ports and tanks fluid ones.
void ElectricSystem::ParseLine(ParseContext &context, const char *line) {
  LineWord name, source, oxygen, hydrogen, water, from, to, tank;
  LineWord candidates[3];
  double capacity, head, setPoint, power;
  Vec3 position;
  int mode;
  KeywordLine keyword(line);
  if (keyword.Is("<BATTERY>")) {
    if (Complete(context.diagnostics, line,
                 (Fields(keyword.rest, &context.diagnostics) >> name >> capacity >> source).Count(), 3))
      Define<Battery>(context.diagnostics, name, ResolveSource(source, context.diagnostics), capacity);
  } else if (keyword.Is("<FCELL>")) {
    double rating;
    if (Complete(
            context.diagnostics, line,
            (Fields(keyword.rest, &context.diagnostics) >> name >> position >> rating >> oxygen >> hydrogen >> water)
                .Count(),
            8))
      Define<FuelCell>(context.diagnostics, name, position, fluid->ResolvePort(oxygen, context.diagnostics),
                       fluid->ResolvePort(hydrogen, context.diagnostics),
                       fluid->ResolvePort(water, context.diagnostics), static_cast<float>(rating));
  } else if (keyword.Is("<DCBUS>")) {
    if (Complete(context.diagnostics, line, (Fields(keyword.rest, &context.diagnostics) >> name >> source).Count(), 2))
      Define<DCBus>(context.diagnostics, name, ResolveSource(source, context.diagnostics));
  } else if (keyword.Is("<ACBUS>")) {
    if (Complete(context.diagnostics, line, (Fields(keyword.rest, &context.diagnostics) >> name >> source).Count(), 2))
      Define<ACBus>(context.diagnostics, name, ResolveSource(source, context.diagnostics));
  } else if (keyword.Is("<SOCKET>")) {
    Fields fields(keyword.rest, &context.diagnostics);
    fields >> name >> mode >> source >> candidates[0] >> candidates[1] >> candidates[2];
    // Positions 1 to 3 choose a candidate; 0 applies none until the socket is
    // turned, and any other selects none ever (its CONNECT reads it less 2).
    if (mode < 0 || mode > 3)
      context.diagnostics.Report(std::string("socket ") + name + " at position " + std::to_string(mode) +
                                 " selects no candidate (1, 2 or 3 do; 0 leaves the target's source as it is)");
    if (Complete(context.diagnostics, line, fields.Count(), 6))
      Define<Socket>(context.diagnostics, name, ResolveSource(source, context.diagnostics), mode,
                     ResolveSource(candidates[0], context.diagnostics),
                     ResolveSource(candidates[1], context.diagnostics),
                     ResolveSource(candidates[2], context.diagnostics));
  } else if (keyword.Is("<COOLING>")) {
    ParseCoolingLoop(context, line, keyword.rest);
  } else if (keyword.Is("<ATMREGEN>")) {
    if (Complete(context.diagnostics, line,
                 (Fields(keyword.rest, &context.diagnostics) >> name >> mode >> source >> head >> from >> to).Count(),
                 6))
      Define<AtmRegenerator>(context.diagnostics, name, mode, ResolveSource(source, context.diagnostics), head,
                             fluid->ResolvePort(from, context.diagnostics),
                             fluid->ResolvePort(to, context.diagnostics));
  } else if (keyword.Is("<BOILER>")) {
    if (Complete(
            context.diagnostics, line,
            (Fields(keyword.rest, &context.diagnostics) >> name >> mode >> source >> setPoint >> power >> tank).Count(),
            6))
      Define<Boiler>(context.diagnostics, name, mode, ResolveSource(source, context.diagnostics), setPoint, power,
                     fluid->ResolveTank(tank, context.diagnostics));
  } else {
    context.diagnostics.Report("line not understood in <ELECTRIC>");
  }
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
