#include "panels/instruments/SwitchInstrument.h"

#include <algorithm>

namespace {

constexpr DWORD kWhiteKey = 0xFFFFFF;

}  // namespace

SwitchInstrument::SwitchInstrument(int32_t panelNumber, int32_t left, int32_t top, int32_t positionCount,
                                   int32_t springBack, Bound<int32_t> bound)
    : BoundInstrument(panelNumber, left, top),
      positions(std::clamp(positionCount, 2, 3)),
      momentary(positionCount >= 3 ? springBack : 0) {
  variable = bound.Unbound() ? Bound<int32_t>(&state) : bound;
  if (!bound.Unbound()) state = *Variable();
}

void SwitchInstrument::RegisterArea(int32_t id) {
  Register(id, RECT{x, y, x + width + 1, y + height + 1}, PANEL_REDRAW_MOUSE, 0x0F, PANEL_MAP_BACKGROUND);
}

// Frames: columns for +1, 0, -1 from the left; the lit row below the unlit. A
// bound variable may hold any number: it shows as the nearest end.
void SwitchInstrument::Redraw(const DrawContext &context) {
  BlitBitmap(context, 0, 0, width * (1 - std::clamp(state, -1, 1)), context.lit ? height : 0, width, height, kWhiteKey);
}

bool SwitchInstrument::StepUp() {
  if (state >= 1) return false;
  state += 4 - positions;
  return true;
}

bool SwitchInstrument::StepDown() {
  if (state <= -1) return false;
  state -= 4 - positions;
  return true;
}

int32_t SwitchInstrument::LeftPress(int mx, int my) {
  if (StepUp()) WriteState();
  return kActionNone;
}

int32_t SwitchInstrument::RightPress(int mx, int my) {
  if (StepDown()) WriteState();
  return kActionNone;
}

void SwitchInstrument::ButtonUp() {
  if (momentary == 0) return;
  state = 0;
  WriteState();
  RequestRedraw();
}

CSwitchInstrument::CSwitchInstrument(int32_t panelNumber, int32_t left, int32_t top, int32_t positionCount,
                                     int32_t springBack, Bound<int32_t> bound, int32_t actionCode)
    : SwitchInstrument(panelNumber, left, top, positionCount, springBack, bound), action(actionCode) {}

// The action applies on every press, even at the switch's end.
int32_t CSwitchInstrument::LeftPress(int mx, int my) {
  if (StepUp()) {
    RequestRedraw();
    WriteState();
  }
  return action;
}

int32_t CSwitchInstrument::RightPress(int mx, int my) {
  if (StepDown()) {
    RequestRedraw();
    WriteState();
  }
  return action;
}
