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

class ParseContext;
class SwitchInstrument;
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

 private:
  void BuildInstrument(const InstrumentClass &c, const char *line);
  void Switch(const InstrumentClass &c, const char *line, bool action);
  void Rotational(const InstrumentClass &c, const char *line);
  void Text(const InstrumentClass &c, const char *line);
  void Linear(const InstrumentClass &c, const char *line);
  void Talkback(const InstrumentClass &c, const char *line);
  void Select(const InstrumentClass &c, const char *line);
  void Digit(const InstrumentClass &c, const char *line);
  void Adi(const InstrumentClass &c, const char *line);
  void Plot(const InstrumentClass &c, const char *line);
  void Mfd(const InstrumentClass &c, const char *line);
  void SelectorElements(const char *line);
  void CheckStart(const SwitchInstrument &sw) const;
  // The variable `reference` names, when it holds a T; anything else that
  // resolved is refused and logged.
  template <typename T>
  T *Resolve(const char *reference) const;
  void *OfKind(const VariableRef &variable, VariableKind kind) const;
  // Adds `instrument` named `instrumentName`, sized and drawn from its class.
  template <typename T>
  T &Add(std::unique_ptr<T> instrument, const InstrumentClass &c, const char *instrumentName);

  VariableResolver &resolver;
  const InstrumentClassList &classes;
  Panel &panel;
  ParseContext &context;
  // Each instrument with an area and its line, in file order.
  std::vector<std::pair<const Instrument *, int>> placed;
};
