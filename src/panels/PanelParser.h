// A <PANEL> section's lines: the panel's own lines and one instrument a
// line, each built from the class its line's tag names.
#pragma once

#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

#include "config/VariableRef.h"
#include "panels/InstrumentClassList.h"
#include "panels/Panel.h"

class Diagnostics;
class ParseContext;
class VariableResolver;

class PanelParser {
 public:
  PanelParser(VariableResolver &references, const InstrumentClassList &instrumentClasses, Panel &target,
              ParseContext &parse)
      : resolver(references), classes(instrumentClasses), panel(target), context(parse) {}
  void Line(const char *line);
  // What only the whole panel shows: instruments that overlap, names that
  // find another instrument.
  void Finish() const;

  // What the builder of an instrument line uses. The variable `reference`
  // names, when it holds a T; anything else that resolved is refused and
  // logged.
  template <typename T>
  Bound<T> Resolve(const char *reference) const;
  // Adds `instrument` named `instrumentName`, sized and drawn from its class.
  template <typename T>
  T &Add(std::unique_ptr<T> instrument, const InstrumentClass &c, const char *instrumentName);
  // Adds `instrument` as it is: its size and name are its own.
  template <typename T>
  T &Place(std::unique_ptr<T> instrument);
  Diagnostics &Findings() const;
  int32_t PanelNumber() const { return panel.number; }

 private:
  void SelectorElements(const char *line);
  VariableRef OfKind(const VariableRef &variable, VariableKind kind) const;

  VariableResolver &resolver;
  const InstrumentClassList &classes;
  Panel &panel;
  ParseContext &context;
  // Each instrument with an area and its line, in file order.
  std::vector<std::pair<const Instrument *, int>> placed;
};
