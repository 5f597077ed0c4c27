// A needle gauge: a dial bitmap and a needle drawn every frame, turning
// toward the value's angle by at most 0.01 rad a frame.
#pragma once

#include "panels/instruments/Instrument.h"

struct InstrumentClass;

// ROTATIONAL: MAX and MIN (value, degrees), CENTER, NEEDLE (width, length).
struct RotationalLook {
  double maxValue, maxDegrees, minValue, minDegrees;
  int32_t pivotX, pivotY, needleWidth, needleLength;
  static RotationalLook Of(const InstrumentClass &c);
};

class RotationalInstrument : public BoundInstrument<double> {
 public:
  RotationalInstrument(int32_t panelNumber, int32_t left, int32_t top, Bound<double> bound);
  ~RotationalInstrument() override;

  // Scale ends: values and their angles in degrees.
  void SetScale(double maxValue, double maxDegrees, double minValue, double minDegrees);
  void SetPivot(int32_t px, int32_t py) {
    pivotX = px;
    pivotY = py;
  }
  // Makes the needle's surface, a square of 2 x length + 2 pixels.
  void SetNeedle(int32_t needleWidth, int32_t needleLength);

  void RegisterArea(int32_t id) override;
  void Redraw(const DrawContext &context) override;
  void FrameRedraw(const DrawContext &context) override { Redraw(context); }
  // "ANGLE" is the needle's shown angle (rad), which eases toward its value.

  // Moves the shown angle toward `target` by at most one easing step.
  static double Ease(double shown, double target);

  int32_t length = 0;
  int32_t pivotX = 0, pivotY = 0;
  double maxAngle = 0, maxValue = 0, minAngle = 0, minValue = 0;
  double shownAngle = 0;
  SURFHANDLE needleSurface = nullptr;
  POINT shape[3] = {};

 private:
  POINT drawnNeedle[3] = {};

 protected:
  void Publish(VariableTable &table) override {
    table.Add("ANGLE", shownAngle);
    BoundInstrument::Publish(table);
  }
};
