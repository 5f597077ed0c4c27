#include "systems/electric/ElectricSystem.h"

#include <strings.h>

#include <cstdio>

#include "config/ConfigText.h"
#include "config/Diagnostics.h"
#include "config/TextScan.h"
#include "systems/electric/AtmRegenerator.h"
#include "systems/electric/Battery.h"
#include "systems/electric/Boiler.h"
#include "systems/electric/CoolingLoop.h"
#include "systems/electric/ElectricObject.h"
#include "systems/electric/FuelCell.h"
#include "systems/electric/PowerBus.h"
#include "systems/electric/Socket.h"
#include "systems/fluid/FluidSystem.h"

VariableRef ElectricSystem::ResolveReference(const char *text) {
  if (MatchKeyword(text, "NOPOWER")) return {};
  // The character after a system's name (its colon) is passed over.
  if (const char *name = AfterKeyword(text, "ELECTRIC", 1)) text = name;
  if (const char *name = AfterKeyword(text, "HYDRAULIC", 1)) return fluid->ResolveReference(name);
  return SystemList::ResolveReference(text);
}

ElectricObject *ElectricSystem::ResolveSource(const char *text) {
  VariableRef reference = ResolveReference(text);
  if (!reference) return nullptr;
  void *address = reference.ObjectAddress();
  if (Contains(address)) return static_cast<ElectricObject *>(static_cast<SystemObject *>(address));
  ReportError(kInvalidComponent);
  return nullptr;
}

// Each line names its object after its tag; a line naming no object of this
// vessel is logged and skipped.
void ElectricSystem::LoadFromScenario(FILEHANDLE scn) {
  char *line;
  while (oapiReadScenario_nextline(scn, line) && strcasecmp(line, "</ELECTRIC>") != 0) {
    LineWord tag, name;
    if ((Fields(line) >> tag >> name).Count() != 2) continue;
    if (SystemObject *object = FindNamed(name)) {
      static_cast<ElectricObject *>(object)->LoadStateLine(line);
    } else {
      ReportUnplacedRecord(line);
    }
  }
}

// The <ELECTRIC> section: one object a line (a cooling loop with its block of
// bodies), appended in file order. A line without all of its fields is logged
// and builds nothing.
namespace {

// True when `read` fields of `expected` were read; otherwise the line is
// logged as short.
bool Complete(const char *line, int read, int expected) {
  CheckWordCount(line, expected + 1, "line");
  if (read == expected) return true;
  ReportError(kInvalidParameterCount);
  return false;
}

}  // namespace

void ElectricSystem::ParseConfigurationSection(FILE *file) {
  char *line;
  SectionLines section(file, "</ELECTRIC>");
  while (section.Next(line)) {
    if (line != nullptr) ParseLine(file, line);
  }
}

// Each line: "<TAG> NAME" and its fields; the sources are electric objects,
// the ports and tanks fluid ones.
void ElectricSystem::ParseLine(FILE *file, const char *line) {
  LineWord name, source, oxygen, hydrogen, water, from, to, tank;
  LineWord candidates[3];
  double capacity, head, setPoint, power;
  Vec3 position;
  int mode;
  KeywordLine keyword(line);
  if (keyword.Is("<BATTERY>")) {
    if (Complete(line, (Fields(keyword.rest) >> name >> capacity >> source).Count(), 3))
      Append<Battery>(name, ResolveSource(source), capacity);
  } else if (keyword.Is("<FCELL>")) {
    double rating;
    if (Complete(line, (Fields(keyword.rest) >> name >> position >> rating >> oxygen >> hydrogen >> water).Count(), 8))
      Append<FuelCell>(name, position, fluid->ResolvePort(oxygen), fluid->ResolvePort(hydrogen),
                       fluid->ResolvePort(water), static_cast<float>(rating));
  } else if (keyword.Is("<DCBUS>")) {
    if (Complete(line, (Fields(keyword.rest) >> name >> source).Count(), 2))
      Append<DCBus>(name, ResolveSource(source));
  } else if (keyword.Is("<ACBUS>")) {
    if (Complete(line, (Fields(keyword.rest) >> name >> source).Count(), 2))
      Append<ACBus>(name, ResolveSource(source));
  } else if (keyword.Is("<SOCKET>")) {
    Fields fields(keyword.rest);
    fields >> name >> mode >> source >> candidates[0] >> candidates[1] >> candidates[2];
    // Positions 1 to 3 choose a candidate; 0 applies none until the socket is
    // turned, and any other selects none ever (its CONNECT reads it less 2).
    if (mode < 0 || mode > 3)
      ReportFinding(std::string("socket ") + name + " at position " + std::to_string(mode) +
                    " selects no candidate (1, 2 or 3 do; 0 leaves the target's source as it is)");
    if (Complete(line, fields.Count(), 6))
      Append<Socket>(name, ResolveSource(source), mode, ResolveSource(candidates[0]),
                     ResolveSource(candidates[1]), ResolveSource(candidates[2]));
  } else if (keyword.Is("<COOLING>")) {
    ParseCoolingLoop(file, line, keyword.rest);
  } else if (keyword.Is("<ATMREGEN>")) {
    if (Complete(line, (Fields(keyword.rest) >> name >> mode >> source >> head >> from >> to).Count(), 6))
      Append<AtmRegenerator>(name, mode, ResolveSource(source), head, fluid->ResolvePort(from),
                             fluid->ResolvePort(to));
  } else if (keyword.Is("<BOILER>")) {
    if (Complete(line, (Fields(keyword.rest) >> name >> mode >> source >> setPoint >> power >> tank).Count(), 6))
      Append<Boiler>(name, mode, ResolveSource(source), setPoint, power, fluid->ResolveTank(tank));
  } else {
    ReportFinding("line not understood in <ELECTRIC>");
  }
}

// "NAME MODE SOURCE CAPACITY MINT MAXT", then "BODY COEFFICIENT" lines up to
// "</COOLING>". A body is any object with a thermal part: electric ones by
// name, fluid ones as "HYDRAULIC:NAME".
void ElectricSystem::ParseCoolingLoop(FILE *file, const char *header, const char *text) {
  LineWord name, source;
  int mode;
  double capacity, low, high;
  CoolingLoop *loop = nullptr;
  if (Complete(header, (Fields(text) >> name >> mode >> source >> capacity >> low >> high).Count(), 6))
    loop = Append<CoolingLoop>(name, mode, ResolveSource(source), capacity, low, high);
  char *line;
  SectionLines section(file, "</COOLING>");
  while (section.Next(line)) {
    LineWord body;
    double coefficient = 0;
    if (loop == nullptr || line == nullptr) continue;
    // The body is resolved whatever follows it, so that a name matching
    // nothing is logged as every other reference is.
    const int read = (Fields(line) >> body >> coefficient).Count();
    void *address = ResolveReference(body).ObjectAddress();
    SystemObject *owner = static_cast<SystemObject *>(address);
    if (address == nullptr || !(Contains(address) || fluid->Contains(address))) continue;
    ThermalBody *thermalPart = owner->ThermalPart();
    if (read < 2)
      ReportFinding(std::string("cooling body ") + body + " has no coefficient: it is left out of loop " + loop->name);
    else if (thermalPart == nullptr)
      ReportFinding(std::string("cooling body ") + body + " has no temperature to move: it is left out of loop " +
                    loop->name);
    else if (!loop->AddBody(owner, thermalPart, coefficient))
      ReportFinding(std::string("loop ") + loop->name + " already has " + std::to_string(kMaxLoopBodies) +
                    " bodies: " + body + " is left out");
  }
}
