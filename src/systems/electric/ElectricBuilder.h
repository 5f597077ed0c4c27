// Makes the <ELECTRIC> section's objects from the descriptions of its lines,
// one line at a time in file order, so that a line names only what earlier
// lines made and a reference that names nothing is logged at its own line.
#pragma once

class CoolingLoop;
class KeywordLine;
class Diagnostics;
class ElectricSystem;
class LineDescription;
struct LineGrammar;

// A line kind of the section: its tag, its fields and what builds it.
struct ElectricLineKind {
  const char *tag;
  const LineGrammar &grammar;
  void (*build)(ElectricSystem &electric, const LineDescription &line, Diagnostics &diagnostics);
};

// The kind whose tag `line` starts with, its fields left in `line.rest`, or null.
const ElectricLineKind *FindElectricLineKind(KeywordLine &line);

// A cooling loop's header and its body lines, "BODY COEFFICIENT". A body
// is any object with a thermal part: electric ones by name, fluid ones as
// "HYDRAULIC:NAME".
extern const LineGrammar kCoolingLoopGrammar;
extern const LineGrammar kCoolingBodyGrammar;
CoolingLoop *BuildCoolingLoop(ElectricSystem &electric, const LineDescription &line, Diagnostics &diagnostics);
void BuildCoolingBody(ElectricSystem &electric, CoolingLoop &loop, const LineDescription &line,
                      Diagnostics &diagnostics);
