// A text label in the class's font, lit or unlit, with an optional frame
// open at the top around it.
#pragma once

#include "panels/instruments/Instrument.h"

struct InstrumentClass;

// TEXT: FONT (its height is the area's), COLOR and NOCOL with their pens.
struct TextLook {
  int32_t font = 0, litPen = 0, unlitPen = 0;
  int32_t litColour[3] = {}, unlitColour[3] = {};
  int32_t labelHeight = 0;
  static TextLook Of(const InstrumentClass &c);
};

class TextInstrument : public Instrument {
 public:
  TextInstrument(int32_t panelNumber, int32_t centreX, int32_t top, int32_t frameW, int32_t frameR, const char *text);

  void RegisterArea(int32_t id) override;
  void Redraw(const DrawContext &context) override;
  void LightingChanged(bool lit) override { RequestRedraw(); }
  // The area's width: the label's or the frame's, whichever is wider.
  int32_t AreaWidth() const { return labelWidth > frameWidth ? labelWidth : frameWidth; }

  int32_t frameWidth, frameRows;
  char label[kNameSize] = "";
  int32_t labelWidth;
  TextLook look;

 private:
  void DrawFrame(HDC dc) const;
};
