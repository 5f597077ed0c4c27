// The vessel's electric objects, in configuration order: built from the
// <ELECTRIC> section, saved one line each in the scenario. Their references
// may also name fluid objects.
#pragma once

#include <cstdio>

#include "systems/SystemList.h"

class Diagnostics;
class ElectricObject;
class LineDescription;
class ParseContext;
class FluidSystem;
class ThermalModel;

class ElectricSystem : public SystemList {
 public:
  ElectricSystem(ThermalModel *model, FluidSystem *fluids)
      : SystemList("<ELECTRIC>", "</ELECTRIC>", "electric object"), thermal(model), fluid(fluids) {}

  // "NOPOWER" is no source, without a log entry; "HYDRAULIC:..." goes to the
  // fluid list; anything else to this list.
  VariableRef ResolveReference(const char *text, Diagnostics &diagnostics) override;

  void ParseConfigurationSection(ParseContext &context) override;
  void LoadFromScenario(FILEHANDLE scn, std::string &logEntries) override;

  // A reference that must name an electric object ("NOPOWER": none); what
  // resolves to anything else is refused, logged, as null.
  ElectricObject *ResolveSource(const char *text, Diagnostics &diagnostics);

  ThermalModel *thermal;
  FluidSystem *fluid;

 private:
  void ParseLine(ParseContext &context, const char *line);
  void ParseCoolingLoop(ParseContext &context, const char *header, const char *text);
  // Whether the line gave every field; a line short of one is logged.
  static bool Whole(const LineDescription &description, Diagnostics &diagnostics);
};
