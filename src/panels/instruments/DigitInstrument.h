// A digit counter: the value printed with a fixed number of digits, each
// digit a cell of the class bitmap.
#pragma once

#include "panels/instruments/Instrument.h"

class DigitInstrument : public BoundInstrument<double> {
 public:
  // `bound` null: the counter shows its own last value.
  DigitInstrument(int32_t panelNumber, int32_t left, int32_t top, int32_t digitCount, Bound<double> bound);

  void RegisterArea(int32_t id) override;
  void Redraw(const DrawContext &context) override;
  void FrameRedraw(const DrawContext &context) override;
  // The bitmap cell (in digit widths) of each of the first `digits`
  // characters of the value; -1 past the formatted text.
  void Cells(int32_t *cells) const;
  // "SHOWN" is the value the counter last showed.

  double lastValue = -1.0;
  int32_t digits;

 protected:
  void Publish(VariableTable &table) override {
    table.Add("SHOWN", lastValue);
    BoundInstrument::Publish(table);
  }
};
