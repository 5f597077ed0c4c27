#include "panels/instruments/TbInstrument.h"
#include "panels/instruments/InstrumentClass.h"

TbInstrument::TbInstrument(int32_t panelNumber, int32_t left, int32_t top, Bound<double> bound, int32_t testCondition,
                           double rate)
    : BoundInstrument(panelNumber, left, top), condition(testCondition), blinkRate(rate) {
  variable = bound;
}

void TbInstrument::RegisterArea(int32_t id) {
  Register(id, RECT{x, y, x + width, y + height}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_IGNORE, PANEL_MAP_CURRENT);
}

bool TbInstrument::ConditionMet() const {
  const double *value = Variable();
  if (value == nullptr) return false;
  const double v = *value;
  switch (condition) {
    case kGreaterThanZero: return v > 0;
    case kSmallerThanZero: return v < 0;
    case kNonZero: return v != 0;
    case kZero: return v == 0;
    default: return false;
  }
}

// Frames: off, on, alternate, side by side.
void TbInstrument::Redraw(const DrawContext &context) {
  int frame = 0;
  if (!ConditionMet()) {
    frameState = 0;
    blinkTimer = 0;
  } else if (blinkRate == 0) {
    frameState = 1;
    frame = 1;
  } else {
    frame = frameState == 1 ? 1 : 2;
  }
  BlitBitmap(context, 0, 0, frame * width, 0, width, height, SURF_NO_CK);
}

// Blinks in real time, alternating on and alternate.
void TbInstrument::FrameRedraw(const DrawContext &context) {
  if (!ConditionMet()) {
    if (frameState != 0) Redraw(context);
    return;
  }
  if (blinkRate == 0) {
    if (frameState == 0) Redraw(context);
    return;
  }
  blinkTimer += oapiGetSysStep();
  if (blinkTimer > 1.0 / blinkRate) {
    blinkTimer = 0;
    frameState = frameState + 1 == 3 ? 1 : frameState + 1;
    Redraw(context);
  }
}

TalkbackLook TalkbackLook::Of(const InstrumentClass &c) { return {c.D[0]}; }
