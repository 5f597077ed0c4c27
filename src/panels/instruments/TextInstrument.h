// A text label in the class's font, lit or unlit, with an optional frame
// open at the top around it.
#pragma once

#include "panels/instruments/InstrumentLooks.h"

#include "panels/instruments/Instrument.h"

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
