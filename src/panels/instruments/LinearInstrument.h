// A pointer moving along a straight scale, redrawn only where it moved.
#pragma once

#include "panels/instruments/Instrument.h"

struct InstrumentClass;

// LINEAR: MAX and MIN (the pointer's x and y at each end of the scale),
// NEEDLE (pointer width and size), ROTATE (degrees, kept in radians).
struct LinearLook {
  double highX = 0, highY = 0, lowX = 0, lowY = 0;
  double rotation = 0;
  int32_t pointerWidth = 0, pointerSize = 0;
  static LinearLook Of(const InstrumentClass &c);
};

class LinearInstrument : public BoundInstrument<double> {
 public:
  LinearInstrument(int32_t panelNumber, int32_t left, int32_t top, Bound<double> bound, double lowValue,
                   double highValue, double valueDivisor, double valueOffset);
  ~LinearInstrument() override;

  void RegisterArea(int32_t id) override;
  void Redraw(const DrawContext &context) override;
  void FrameRedraw(const DrawContext &context) override;
  void LightingChanged(bool lit) override;
  // Recomputes the pointer position; true when the fraction changed.
  bool UpdateFraction();

  SURFHANDLE pointerSurface = nullptr;
  double divisor, offset;
  double high, low;
  LinearLook look;
  int32_t pointerX = 0, pointerY = 0;
  int32_t previousX = -1, previousY = -1;
  double lastFraction = 1e10;

 private:
  void MakePointer(const DrawingResources *resources);
  // The pointer where the fraction puts it, over the scale when `background`.
  void Draw(const DrawContext &context, bool background);
  int LitOffset(const DrawContext &context) const { return context.lit ? width : 0; }
};
