// A talkback: a flag that shows whether a variable meets a condition,
// optionally blinking.
#pragma once

#include "panels/instruments/Instrument.h"

struct InstrumentClass;

enum TalkbackCondition : int32_t { kGreaterThanZero = 1, kSmallerThanZero = 2, kNonZero = 3, kZero = 4 };

// TB: BLINK, the period's rate.
struct TalkbackLook {
  double blinkRate;
  static TalkbackLook Of(const InstrumentClass &c);
};

class TbInstrument : public BoundInstrument<double> {
 public:
  TbInstrument(int32_t panelNumber, int32_t left, int32_t top, Bound<double> bound, int32_t testCondition, double rate);

  void RegisterArea(int32_t id) override;
  void Redraw(const DrawContext &context) override;
  void FrameRedraw(const DrawContext &context) override;
  // False when unbound or for an unknown condition.
  bool ConditionMet() const;

  int32_t condition;
  int32_t frameState = 0;  // 0 off, 1 on, 2 alternate
  double blinkRate;
  double blinkTimer = 0;
};
