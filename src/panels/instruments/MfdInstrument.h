// A host multi-function display on the panel: the host draws the screen;
// the instrument writes the button labels beside it and turns clicks on them
// and on the strip below into the host's button, power and key calls.
#pragma once

#include "panels/instruments/Instrument.h"

struct InstrumentClass;

// MFD: SIZE (the screen), BORDER, BUTTONS (left and right counts),
// BUTTONSIZE (first button's offset and spacing), BUTTONCOL, FONT.
struct MfdLook {
  int32_t screenWidth = 0, screenHeight = 0;
  int32_t borderX = 0, borderY = 0;
  int32_t buttonsLeft = 0, buttonsRight = 0, buttonOffset = 0, buttonSpacing = 0;
  int32_t labelColour[3] = {};
  int32_t font = 0;
  static MfdLook Of(const InstrumentClass &c);
};

class MfdInstrument : public Instrument {
 public:
  MfdInstrument(int32_t panelNumber, int32_t left, int32_t top, int32_t number);

  void RegisterArea(int32_t id) override;
  void Redraw(const DrawContext &context) override;
  int32_t LeftPress(int mx, int my) override {
    Press(mx, my);
    return kActionNone;
  }
  int32_t MfdNumber() const override { return mfdNumber; }
  // Where label `index` is written, within the area.
  POINT LabelPosition(int index) const;

  int32_t mfdNumber;
  MFDSPEC layout = {};
  MfdLook look;
  // A button beside the screen, or the strip below it: power, next mode,
  // mode select.
  void Press(int mx, int my);
  // Takes `classLook`: the area, the screen rectangle and the buttons.
  void Place(const MfdLook &classLook);
};
