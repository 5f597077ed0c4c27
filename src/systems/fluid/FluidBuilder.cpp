#include "systems/fluid/FluidBuilder.h"

#include <string>

#include "config/text/Diagnostics.h"
#include "config/text/ExactNumber.h"
#include "config/text/Keywords.h"
#include "config/text/LineGrammar.h"
#include "systems/ThermalModel.h"
#include "systems/fluid/FluidCrew.h"
#include "systems/fluid/FluidPipe.h"
#include "systems/fluid/FluidRadiator.h"
#include "systems/fluid/FluidSystem.h"
#include "systems/fluid/FluidTank.h"
#include "systems/fluid/FluidVent.h"

namespace {

using Line = const LineDescription &;
constexpr FieldType kWord = FieldType::kWord, kInt = FieldType::kInt, kReal = FieldType::kReal,
                    kVector = FieldType::kVector;

constexpr FieldDeclaration kTankFields[] = {{"name", kWord}, {"position", kVector},   {"volume", kReal},
                                            {"in", kInt},    {"out", kInt},         {"insulation", kReal, true}};
constexpr FieldDeclaration kPipesFields[] = {{"name", kWord}};
constexpr FieldDeclaration kPipeFields[] = {{"source", kWord},           {"destination", kWord},
                                            {"kind", kWord, true},       {"setting 1", kReal, true},
                                            {"setting 2", kReal, true}, {"flag", kWord, true}};
constexpr FieldDeclaration kVentFields[] = {{"name", kWord}, {"in", kInt}, {"out", kInt}};
constexpr FieldDeclaration kExhaustFields[] = {{"position", kVector}, {"direction", kVector}, {"size", kReal}};
constexpr FieldDeclaration kRadiatorFields[] = {{"name", kWord}, {"position", kVector}, {"temperature", kReal}};
constexpr FieldDeclaration kRadiatorBodyFields[] = {{"area", kReal}, {"emissivity", kReal}, {"mass", kReal}};
constexpr FieldDeclaration kCrewFields[] = {{"name", kWord}, {"count", kInt}, {"tank", kWord}};

PipeKind KindFromWord(const char *word) {
  if (MatchKeyword(word, "PREG")) return kRegulatorPipe;
  if (MatchKeyword(word, "BURST")) return kBurstPipe;
  if (MatchKeyword(word, "PVALVE")) return kWallPipe;
  return kPlainPipe;
}

}  // namespace

const LineGrammar kTankGrammar("tank", kTankFields);
const LineGrammar kPipesGrammar("pipes", kPipesFields);
const LineGrammar kPipeGrammar("pipe", kPipeFields, false);
const LineGrammar kVentGrammar("vent", kVentFields);
const LineGrammar kExhaustGrammar("exhaust", kExhaustFields, false);
const LineGrammar kRadiatorGrammar("radiator", kRadiatorFields);
const LineGrammar kRadiatorBodyGrammar("radiator body", kRadiatorBodyFields, false);
const LineGrammar kCrewGrammar("crew", kCrewFields);

FluidTank *BuildTank(FluidSystem &fluid, Line line, Diagnostics &diagnostics) {
  const double volume = line.Real(2);
  if (!FluidTank::HasRoom(volume)) {
    diagnostics.Report(std::string("tank ") + line.Name() + " has a volume of " + ExactNumber(volume).text +
                       " L; a tank must hold more than 0 L, so it is not built");
    return nullptr;
  }
  FluidTank *tank = fluid.Define<FluidTank>(diagnostics, line.Name(), volume, line.Vector(1));
  tank->contents.Reset();
  return tank;
}

void CompleteTank(FluidSystem &fluid, FluidTank &tank, Line line) {
  tank.Complete(line.Int(3) != 0, line.Int(4) != 0, line.Real(5), fluid.thermal);
}

PipeBuilder::PipeBuilder(FluidSystem &fluidSystem, Line header) : fluid(fluidSystem), name(header.Name()) {}

void PipeBuilder::Build(Line line, Diagnostics &diagnostics) {
  if (line.Given(3)) setting1 = line.Real(3);
  if (line.Given(4)) setting2 = line.Real(4);
  if (MatchKeyword(line.Word(2), "ONEWAY") || MatchKeyword(line.Word(5), "ONEWAY")) twoWay = false;
  const PipeKind kind = KindFromWord(line.Word(2));
  if (line.Given(2) && kind == kPlainPipe && !MatchKeyword(line.Word(2), "ONEWAY"))
    diagnostics.Report("pipe " + name + ": kind " + line.Word(2) +
                       " is none of PREG, BURST and PVALVE: it is built as a plain pipe");
  FluidValve *source = fluid.ResolvePort(line.Word(0), diagnostics);
  FluidValve *destination = fluid.ResolvePort(line.Word(1), diagnostics);
  const bool plain = kind == kPlainPipe;
  fluid.Define<FluidPipe>(diagnostics, name.c_str(), source, destination, kind, plain ? 0 : setting1, plain ? 0 : setting2,
                          twoWay);
}

FluidVent *BuildVent(FluidSystem &fluid, Line line, Diagnostics &diagnostics) {
  FluidVent *vent = fluid.Define<FluidVent>(diagnostics, line.Name());
  vent->in.open = line.Int(1);
  vent->out.open = line.Int(2);
  vent->contents.Reset();
  return vent;
}

void BuildExhaust(FluidVent &vent, Line line, Diagnostics &diagnostics) {
  if (!line.Complete())
    diagnostics.Report("exhaust line gives " + std::to_string(line.Read()) +
                       " of its 7 numbers (<x y z> <dx dy dz> SIZE): no exhaust is made");
  else if (!vent.AddExhaust(line.Vector(0), line.Vector(1), line.Real(2)))
    diagnostics.Report(std::string("vent ") + vent.name + " already has " + std::to_string(kMaxExhausts) +
                       " exhausts: this one is not made");
}

// Without a second line giving a positive mass there is no radiator: a body
// without mass has no temperature.
void BuildRadiator(FluidSystem &fluid, Line line, const LineDescription *body, Diagnostics &diagnostics) {
  const int read = body != nullptr ? body->Read() : 0;
  const double mass = body != nullptr ? body->Real(2) : 0;
  if (read != 3 || !(mass > 0)) {
    diagnostics.Report(std::string("radiator ") + line.Name() + " wants \"AREA EMISSIVITY MASS\" on the line after it, " +
                       "the mass above 0; this line gives " + std::to_string(read) + " of the 3 numbers" +
                       (read == 3 ? " and a mass of " + std::string(ExactNumber(mass).text) : "") +
                       ": the radiator is not built");
    return;
  }
  FluidRadiator *radiator = fluid.Define<FluidRadiator>(diagnostics, line.Name(), line.Vector(1), line.Real(2),
                                                        body->Real(0), body->Real(1), mass);
  fluid.thermal->Register(radiator);
  radiator->thermalModel = fluid.thermal;
}

void BuildCrew(FluidSystem &fluid, Line line, Diagnostics &diagnostics) {
  fluid.Define<FluidCrew>(diagnostics, line.Name(), line.Int(1), fluid.ResolveTank(line.Word(2), diagnostics));
}
