#include "systems/electric/ElectricBuilder.h"

#include <string>

#include "config/text/Diagnostics.h"
#include "config/text/Keywords.h"
#include "config/text/LineGrammar.h"
#include "systems/electric/AtmRegenerator.h"
#include "systems/electric/Battery.h"
#include "systems/electric/Boiler.h"
#include "systems/electric/CoolingLoop.h"
#include "systems/electric/ElectricSystem.h"
#include "systems/electric/FuelCell.h"
#include "systems/electric/PowerBus.h"
#include "systems/electric/Socket.h"
#include "systems/fluid/FluidSystem.h"

// Each line is "<TAG> NAME" and its fields; the sources are electric objects,
// the ports and tanks fluid ones.
namespace {

using Line = const LineDescription &;
constexpr FieldType kWord = FieldType::kWord, kInt = FieldType::kInt, kReal = FieldType::kReal;

constexpr FieldDeclaration kBatteryFields[] = {{"name", kWord}, {"capacity", kReal}, {"source", kWord}};
void BuildBattery(ElectricSystem &electric, Line line, Diagnostics &diagnostics) {
  electric.Define<Battery>(diagnostics, line.Name(), electric.ResolveSource(line.Word(2), diagnostics), line.Real(1));
}

constexpr FieldDeclaration kFuelCellFields[] = {{"name", kWord},   {"position", FieldType::kVector},
                                                {"rating", kReal}, {"oxygen", kWord},
                                                {"hydrogen", kWord}, {"water", kWord}};
void BuildFuelCell(ElectricSystem &electric, Line line, Diagnostics &diagnostics) {
  FluidSystem &fluid = *electric.fluid;
  electric.Define<FuelCell>(diagnostics, line.Name(), line.Vector(1), fluid.ResolvePort(line.Word(3), diagnostics),
                            fluid.ResolvePort(line.Word(4), diagnostics), fluid.ResolvePort(line.Word(5), diagnostics),
                            static_cast<float>(line.Real(2)));
}

constexpr FieldDeclaration kBusFields[] = {{"name", kWord}, {"source", kWord}};
template <typename Bus>
void BuildBus(ElectricSystem &electric, Line line, Diagnostics &diagnostics) {
  electric.Define<Bus>(diagnostics, line.Name(), electric.ResolveSource(line.Word(1), diagnostics));
}

// Positions 1 to 3 choose a candidate; 0 applies none until the socket is
// turned, and any other selects none ever (its CONNECT reads it less 2).
constexpr FieldDeclaration kSocketFields[] = {
    {"name", kWord},
    {"position", kInt, false, 0, 3, "selects no candidate (1, 2 or 3 do; 0 leaves the target's source as it is)"},
    {"target", kWord},
    {"candidate 1", kWord},
    {"candidate 2", kWord},
    {"candidate 3", kWord}};
void BuildSocket(ElectricSystem &electric, Line line, Diagnostics &diagnostics) {
  electric.Define<Socket>(diagnostics, line.Name(), electric.ResolveSource(line.Word(2), diagnostics), line.Int(1),
                          electric.ResolveSource(line.Word(3), diagnostics),
                          electric.ResolveSource(line.Word(4), diagnostics),
                          electric.ResolveSource(line.Word(5), diagnostics));
}

constexpr FieldDeclaration kRegeneratorFields[] = {{"name", kWord}, {"mode", kInt},   {"source", kWord},
                                                   {"head", kReal}, {"inlet", kWord}, {"outlet", kWord}};
void BuildRegenerator(ElectricSystem &electric, Line line, Diagnostics &diagnostics) {
  electric.Define<AtmRegenerator>(diagnostics, line.Name(), line.Int(1),
                                  electric.ResolveSource(line.Word(2), diagnostics), line.Real(3),
                                  electric.fluid->ResolvePort(line.Word(4), diagnostics),
                                  electric.fluid->ResolvePort(line.Word(5), diagnostics));
}

constexpr FieldDeclaration kBoilerFields[] = {{"name", kWord},      {"mode", kInt},  {"source", kWord},
                                              {"set point", kReal}, {"power", kReal}, {"tank", kWord}};
void BuildBoiler(ElectricSystem &electric, Line line, Diagnostics &diagnostics) {
  electric.Define<Boiler>(diagnostics, line.Name(), line.Int(1), electric.ResolveSource(line.Word(2), diagnostics),
                          line.Real(3), line.Real(4), electric.fluid->ResolveTank(line.Word(5), diagnostics));
}

constexpr LineGrammar kBattery("battery", kBatteryFields), kFuelCell("fuel cell", kFuelCellFields),
    kDcBus("dc bus", kBusFields), kAcBus("ac bus", kBusFields), kSocket("socket", kSocketFields),
    kRegenerator("regenerator", kRegeneratorFields), kBoiler("boiler", kBoilerFields);

const ElectricLineKind kLineKinds[] = {
    {"<BATTERY>", kBattery, BuildBattery},      {"<FCELL>", kFuelCell, BuildFuelCell},
    {"<DCBUS>", kDcBus, BuildBus<DCBus>},       {"<ACBUS>", kAcBus, BuildBus<ACBus>},
    {"<SOCKET>", kSocket, BuildSocket},         {"<ATMREGEN>", kRegenerator, BuildRegenerator},
    {"<BOILER>", kBoiler, BuildBoiler},
};

constexpr FieldDeclaration kCoolingLoopFields[] = {{"name", kWord},     {"mode", kInt},         {"source", kWord},
                                                   {"capacity", kReal}, {"lowest temperature", kReal},
                                                   {"highest temperature", kReal}};
constexpr FieldDeclaration kCoolingBodyFields[] = {{"body", kWord}, {"coefficient", kReal, true}};

}  // namespace

const LineGrammar kCoolingLoopGrammar("cooling loop", kCoolingLoopFields);
const LineGrammar kCoolingBodyGrammar("cooling body", kCoolingBodyFields, false);

const ElectricLineKind *FindElectricLineKind(KeywordLine &line) {
  for (const ElectricLineKind &kind : kLineKinds)
    if (line.Is(kind.tag)) return &kind;
  return nullptr;
}

CoolingLoop *BuildCoolingLoop(ElectricSystem &electric, Line line, Diagnostics &diagnostics) {
  return electric.Define<CoolingLoop>(diagnostics, line.Name(), line.Int(1),
                                      electric.ResolveSource(line.Word(2), diagnostics), line.Real(3), line.Real(4),
                                      line.Real(5));
}

// The body is resolved whatever follows it, so that a name matching nothing
// is logged as every other reference is.
void BuildCoolingBody(ElectricSystem &electric, CoolingLoop &loop, Line line, Diagnostics &diagnostics) {
  const std::string body = line.Name();
  void *address = electric.ResolveReference(line.Name(), diagnostics).ObjectAddress();
  if (address == nullptr || !(electric.Contains(address) || electric.fluid->Contains(address))) return;
  SystemObject *owner = static_cast<SystemObject *>(address);
  ThermalBody *thermalPart = owner->ThermalPart();
  if (!line.Given(1))
    diagnostics.Report("cooling body " + body + " has no coefficient: it is left out of loop " + loop.name);
  else if (thermalPart == nullptr)
    diagnostics.Report("cooling body " + body + " has no temperature to move: it is left out of loop " + loop.name);
  else if (!loop.AddBody(owner, thermalPart, line.Real(1)))
    diagnostics.Report(std::string("loop ") + loop.name + " already has " + std::to_string(kMaxLoopBodies) +
                       " bodies: " + body + " is left out");
}
