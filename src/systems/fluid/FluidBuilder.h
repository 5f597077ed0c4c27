// Makes the <HYDRAULIC> section's objects from the descriptions of its lines,
// one line at a time in file order, so that a line names only what earlier
// lines made and a reference that names nothing is logged at its own line.
#pragma once

#include <string>

class Diagnostics;
class FluidSystem;
class FluidTank;
class FluidVent;
class LineDescription;
struct LineGrammar;

// " NAME <x y z> VOLUME IN OUT [INSULATION]"; missing numbers count as 0.
extern const LineGrammar kTankGrammar;
// A tank with no room is not built: null.
FluidTank *BuildTank(FluidSystem &fluid, const LineDescription &line, Diagnostics &diagnostics);
// Once its substance lines are in.
void CompleteTank(FluidSystem &fluid, FluidTank &tank, const LineDescription &line);

// " NAME" and one pipe a line: "SOURCE DESTINATION KIND [S1 S2] [FLAG]".
extern const LineGrammar kPipesGrammar;
extern const LineGrammar kPipeGrammar;
// A block's pipes: the settings a line leaves out are the line before's, and
// ONEWAY holds for the rest of the block.
class PipeBuilder {
 public:
  PipeBuilder(FluidSystem &fluidSystem, const LineDescription &header);
  void Build(const LineDescription &line, Diagnostics &diagnostics);

 private:
  FluidSystem &fluid;
  std::string name;
  double setting1 = 0, setting2 = 0;
  bool twoWay = true;
};

// " NAME IN OUT" and one exhaust point a line: "<x y z> <dx dy dz> SIZE".
extern const LineGrammar kVentGrammar;
extern const LineGrammar kExhaustGrammar;
FluidVent *BuildVent(FluidSystem &fluid, const LineDescription &line, Diagnostics &diagnostics);
void BuildExhaust(FluidVent &vent, const LineDescription &line, Diagnostics &diagnostics);

// " NAME <x y z> TEMPERATURE" and, on the next line, "AREA EMISSIVITY MASS".
extern const LineGrammar kRadiatorGrammar;
extern const LineGrammar kRadiatorBodyGrammar;
// `body` is null when the file ended first.
void BuildRadiator(FluidSystem &fluid, const LineDescription &line, const LineDescription *body,
                   Diagnostics &diagnostics);

// "NAME COUNT TANK"
extern const LineGrammar kCrewGrammar;
void BuildCrew(FluidSystem &fluid, const LineDescription &line, Diagnostics &diagnostics);
