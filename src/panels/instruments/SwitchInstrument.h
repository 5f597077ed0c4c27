// Switches: two or three positions, stepped by the left and right buttons,
// optionally springing back to the middle; the action switch also applies a
// lighting or key action on every press.
#pragma once

#include "panels/instruments/Instrument.h"

class SwitchInstrument : public BoundInstrument<int32_t> {
 public:
  // `bound` null: the switch works on its own state, starting at -1.
  SwitchInstrument(int32_t panelNumber, int32_t left, int32_t top, int32_t positionCount, int32_t springBack,
                   Bound<int32_t> bound);

  void RegisterArea(int32_t id) override;
  void Redraw(const DrawContext &context) override;
  int32_t LeftPress(int mx, int my) override;
  int32_t RightPress(int mx, int my) override;
  void ButtonUp() override;
  void LightingChanged(bool lit) override { RequestRedraw(); }

  int32_t positions;
  int32_t state = -1;
  int32_t momentary;

 protected:
  // Moves one step up or down if not at that end; true when it moved.
  bool StepUp();
  bool StepDown();
  void WriteState() { *Variable() = state; }
  // "STATE" is the position the switch shows; "SRC" and "SRCP" as for every
  // bound instrument.
  void Publish(VariableTable &table) override {
    table.Add("STATE", state);
    BoundInstrument::Publish(table);
  }
};

class CSwitchInstrument : public SwitchInstrument {
 public:
  CSwitchInstrument(int32_t panelNumber, int32_t left, int32_t top, int32_t positionCount, int32_t springBack,
                    Bound<int32_t> bound, int32_t actionCode);

  int32_t LeftPress(int mx, int my) override;
  int32_t RightPress(int mx, int my) override;

  int32_t action;
};
