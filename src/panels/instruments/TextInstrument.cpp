#include "panels/instruments/TextInstrument.h"

#include <cstring>

#include "config/text/BoundedCopy.h"
#include "panels/instruments/DrawingResources.h"
#include "panels/instruments/InstrumentClass.h"

namespace {

constexpr int kCharacterWidth = 8;

}  // namespace

TextInstrument::TextInstrument(int32_t panelNumber, int32_t centreX, int32_t top, int32_t frameW, int32_t frameR,
                               const char *text)
    : Instrument(panelNumber, centreX, top),
      frameWidth(BoundedCoordinate(frameW)),
      frameRows(BoundedCoordinate(frameR)) {
  CopyName(label, text);
  labelWidth = kCharacterWidth * static_cast<int32_t>(std::strlen(label));
}

void TextInstrument::RegisterArea(int32_t id) {
  const int32_t w = AreaWidth();
  Register(id, RECT{x - w / 2, y, x + w / 2, y + look.labelHeight}, PANEL_REDRAW_USER, PANEL_MOUSE_IGNORE,
           PANEL_MAP_BACKGROUND);
}

void TextInstrument::Redraw(const DrawContext &context) {
  const DrawingResources *r = context.resources;
  HDC dc = context.surface != nullptr ? oapiGetDC(context.surface) : nullptr;
  if (dc == nullptr) return;
  const bool lit = context.textLit;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColourOf(lit ? look.litColour : look.unlitColour));
  if (r != nullptr) {
    if (HPEN pen = r->Pen(lit ? look.litPen : look.unlitPen)) SelectObject(dc, pen);
    if (HFONT f = r->Font(look.font)) SelectObject(dc, f);
  }
  SetTextAlign(dc, TA_CENTER | TA_TOP);
  if (frameRows != 0) DrawFrame(dc);
  // Centred in the area, which is as wide as the label when the frame is
  // narrower: centred on the frame alone, half the label would fall outside.
  TextOutA(dc, AreaWidth() / 2, 0, label, static_cast<int>(std::strlen(label)));
  oapiReleaseDC(context.surface, dc);
}

// Open at the top where the label sits; centred in the area like the label.
void TextInstrument::DrawFrame(HDC dc) const {
  const int32_t left = (AreaWidth() - frameWidth) / 2;
  const int32_t bottom = 7 * frameRows + 5;
  MoveToEx(dc, left + frameWidth - 1, bottom, nullptr);
  LineTo(dc, left + frameWidth - 1, 5);
  LineTo(dc, left + frameWidth / 2 + labelWidth / 2, 5);
  MoveToEx(dc, left + frameWidth / 2 - labelWidth / 2, 5, nullptr);
  LineTo(dc, left, 5);
  LineTo(dc, left, bottom);
}

TextLook TextLook::Of(const InstrumentClass &c) {
  TextLook look;
  look.font = c.font;
  look.litPen = c.resource1;
  look.unlitPen = c.resource2;
  for (int i = 0; i < 3; ++i) {
    look.litColour[i] = c.I[i];
    look.unlitColour[i] = c.I[3 + i];
  }
  look.labelHeight = BoundedCoordinate(c.D[0]);
  return look;
}
