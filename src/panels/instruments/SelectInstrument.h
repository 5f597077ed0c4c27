// A selector knob, and the selector element that re-binds another
// instrument's variable slot to the address the selector's position picks.
#pragma once

#include <vector>

#include "panels/instruments/Instrument.h"

struct InstrumentClass;

// SELECT: the first numbers of MAX and MIN.
struct SelectLook {
  int32_t highestPosition, lowestPosition;
  static SelectLook Of(const InstrumentClass &c);
};

class SelectInstrument : public Instrument {
 public:
  SelectInstrument(int32_t panelNumber, int32_t left, int32_t top, int32_t initial, int32_t highestPosition,
                   int32_t lowestPosition);

  void RegisterArea(int32_t id) override;
  void Redraw(const DrawContext &context) override;
  int32_t LeftPress(int mx, int my) override;
  int32_t RightPress(int mx, int my) override;
  // "SEL": the position.
  void Publish(VariableTable &table) override;

  int32_t highest;
  int32_t lowest;
  int32_t position;
};

class SelectElement : public Instrument {
 public:
  // `slot` is another instrument's variable slot (none: nothing is bound);
  // `selector` an integer.
  SelectElement(int32_t panelNumber, const VariableRef &slot, Bound<int32_t> selector, int32_t firstIndex,
                int32_t lastIndex, int32_t initial);

  // The variable for the next index, from first on: one of the slot's own
  // kind, or none.
  void AddVariable(const VariableRef &variable) { table.push_back(variable); }
  void RegisterArea(int32_t id) override;
  void FrameRedraw(const DrawContext &context) override;

  VariableRef target;
  std::vector<VariableRef> table;
  Bound<int32_t> selectorValue;
  int32_t current;
  int32_t first;
  int32_t last;
};
