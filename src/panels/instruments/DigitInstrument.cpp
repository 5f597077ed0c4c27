#include "panels/instruments/DigitInstrument.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Above this magnitude a value no longer fits the formatting buffer.
constexpr double kLargestShown = 1e20;
constexpr int kMaxDigits = 32;

}  // namespace

DigitInstrument::DigitInstrument(int32_t panelNumber, int32_t left, int32_t top, int32_t digitCount,
                                 Bound<double> bound)
    : BoundInstrument(panelNumber, left, top), digits(std::clamp(digitCount, 0, kMaxDigits)) {
  variable = bound.Unbound() ? Bound<double>(&lastValue) : bound;
}

void DigitInstrument::RegisterArea(int32_t id) {
  Register(id, RECT{x, y, x + digits * width, y + height}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_IGNORE,
           PANEL_MAP_CURRENT);
}

// A value too large to print detaches the counter from it for good.
void DigitInstrument::FrameRedraw(const DrawContext &context) {
  if (!(std::fabs(*Variable()) <= kLargestShown)) {
    lastValue = -1.0;
    variable = &lastValue;
    Redraw(context);
  }
  if (*Variable() != lastValue) {
    lastValue = *Variable();
    Redraw(context);
  }
}

// Blanks and full stops show as 0; a minus sign has no cell and shows blank
// (cell 0 as well) rather than reading left of the bitmap.
void DigitInstrument::Cells(int32_t *cells) const {
  char format[16], text[64];
  std::snprintf(format, sizeof format, "%%%i.0f", digits);
  std::snprintf(text, sizeof text, format, lastValue);
  bool ended = false;
  for (int p = 0; p < digits && p < kMaxDigits; ++p) {
    const char c = ended ? '\0' : text[p];
    if (c == '\0') ended = true;
    cells[p] = ended ? -1 : (c >= '0' && c <= '9' ? c - '0' : 0);
  }
}

void DigitInstrument::Redraw(const DrawContext &context) {
  int32_t cells[kMaxDigits];
  Cells(cells);
  for (int p = 0; p < digits && p < kMaxDigits; ++p)
    if (cells[p] >= 0) BlitBitmap(context, p * width, 0, cells[p] * width, 0, width, height, SURF_NO_CK);
}
