// A plot: a bug moving over a graph background, x following one variable and
// y another; while armed the bug is stamped into the background, which keeps
// the track flown, and the window scrolls to follow it.
#pragma once

#include "panels/instruments/Instrument.h"

struct InstrumentClass;

// PLOT: MAX (scroll limit, y at the vertical high), MIN (x at the horizontal
// origin, y at the vertical low), BUGSIZE, TRACE, MASK1 (overlay) and MASK2
// (the bug).
struct PlotLook {
  int32_t scrollLimit = 0, yAtHigh = 0, xAtOrigin = 0, yAtLow = 0;
  int32_t bugWidth = 0, bugHeight = 0;
  int32_t trace = 0;
  int32_t overlay = 0, bugImage = 0;
  static PlotLook Of(const InstrumentClass &c);
};

class PlotInstrument : public Instrument {
 public:
  PlotInstrument(int32_t panelNumber, int32_t left, int32_t top, Bound<double> vertical, Bound<double> horizontal);

  void RegisterArea(int32_t id) override;
  void Redraw(const DrawContext &context) override;
  void FrameRedraw(const DrawContext &context) override;
  // "ARM"; the slots "XAXIS" and "YAXIS".
  void Publish(VariableTable &table) override;
  // Moves the bug for the present values (armed redraw, without drawing).
  void Track();

  bool drawnOnce = false;
  Bound<double> xSlot, ySlot;
  int32_t scroll = 0;
  PlotLook look;
  int32_t ignored = 0;
  int32_t horizontalOrigin = 0, verticalHigh = 0, verticalLow = 0;
  double unitsPerPixel = 1.0;
  double bugY = 0;
  int32_t bugX = 0;
  int32_t armed = 0;
};
