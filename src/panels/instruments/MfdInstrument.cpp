#include "panels/instruments/MfdInstrument.h"

#include <cstring>

#include "config/text/BoundedCopy.h"
#include "panels/instruments/DrawingResources.h"
#include "panels/instruments/InstrumentClass.h"

namespace {

// The right column's rows are counted from this index.
constexpr int kRightColumnFirst = 6;
constexpr int kLastRow = 6;
constexpr DWORD kModeSelectKey = OAPI_KEY_F1;
constexpr DWORD kNextModeKey = OAPI_KEY_GRAVE;

}  // namespace

MfdInstrument::MfdInstrument(int32_t panelNumber, int32_t left, int32_t top, int32_t number)
    : Instrument(panelNumber, left, top), mfdNumber(number) {
  CopyName(name, "MFD");
}

void MfdInstrument::Place(const MfdLook &classLook) {
  look = classLook;
  width = look.screenWidth;
  height = look.screenHeight;
  layout.nbt_left = look.buttonsLeft;
  layout.nbt_right = look.buttonsRight;
  layout.bt_yofs = look.buttonOffset;
  layout.bt_ydist = look.buttonSpacing;
  layout.pos = RECT{x + look.borderX, y + look.borderY, x + look.screenWidth + look.borderX,
                    y + look.screenHeight + look.borderY};
}

void MfdInstrument::RegisterArea(int32_t id) {
  Register(id, RECT{x, y, x + look.screenWidth + 2 * look.borderX, y + look.screenHeight + 2 * look.borderY},
           PANEL_REDRAW_USER, PANEL_MOUSE_LBDOWN, PANEL_MAP_BACKGROUND);
  oapiRegisterMFD(mfdNumber, layout);
}

POINT MfdInstrument::LabelPosition(int index) const {
  if (index < layout.nbt_left)
    return POINT{static_cast<LONG>(look.borderX / 2.0), index * layout.bt_ydist + layout.bt_yofs};
  return POINT{static_cast<LONG>(look.screenWidth + 1.5 * look.borderX),
               (index - kRightColumnFirst) * layout.bt_ydist + layout.bt_yofs};
}

void MfdInstrument::Redraw(const DrawContext &context) {
  HDC dc = context.surface != nullptr ? oapiGetDC(context.surface) : nullptr;
  if (dc == nullptr) return;
  if (context.resources != nullptr)
    if (HFONT f = context.resources->Font(look.font)) SelectObject(dc, f);
  SetTextColor(dc, ColourOf(look.labelColour));
  SetTextAlign(dc, TA_CENTER | TA_TOP);
  SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < layout.nbt_left + layout.nbt_right; ++i) {
    const char *label = oapiMFDButtonLabel(mfdNumber, i);
    if (label == nullptr) continue;
    const POINT at = LabelPosition(i);
    TextOutA(dc, at.x, at.y, label, static_cast<int>(std::strlen(label)));
  }
  oapiReleaseDC(context.surface, dc);
}

// Label columns select buttons by row; the strip below the screen has power
// on the left, mode select in the middle and the next mode on the right.
void MfdInstrument::Press(int mx, int my) {
  const int row = layout.bt_ydist != 0 ? (my - layout.bt_yofs) / layout.bt_ydist : -1;
  if (row >= 0 && row <= kLastRow) {
    if (mx < look.borderX) {
      oapiProcessMFDButton(mfdNumber, row, PANEL_MOUSE_LBDOWN);
      return;
    }
    if (mx > look.screenWidth + look.borderX) {
      oapiProcessMFDButton(mfdNumber, row + kRightColumnFirst, PANEL_MOUSE_LBDOWN);
      return;
    }
  }
  if (my <= look.screenHeight + look.borderY) return;
  const int middle = look.screenWidth / 2 + look.borderX;
  const int third = look.screenWidth / 3;
  if (mx < middle - third) {
    oapiToggleMFD_on(mfdNumber);
  } else if (mx > middle + third) {
    oapiSendMFDKey(mfdNumber, kNextModeKey);
  } else {
    oapiSendMFDKey(mfdNumber, kModeSelectKey);
  }
}

MfdLook MfdLook::Of(const InstrumentClass &c) {
  MfdLook look;
  look.screenWidth = c.I[0];
  look.screenHeight = c.I[1];
  look.borderX = c.I[2];
  look.borderY = c.I[3];
  look.buttonsLeft = c.I[4];
  look.buttonsRight = c.I[5];
  look.buttonOffset = c.I[6];
  look.buttonSpacing = c.I[7];
  for (int i = 0; i < 3; ++i) look.labelColour[i] = BoundedCoordinate(c.D[i]);
  look.font = c.font;
  return look;
}
