#include "panels/instruments/SelectInstrument.h"

#include "config/text/Keywords.h"
#include "panels/instruments/InstrumentClass.h"

SelectInstrument::SelectInstrument(int32_t panelNumber, int32_t left, int32_t top, int32_t initial,
                                   int32_t highestPosition, int32_t lowestPosition)
    : Instrument(panelNumber, left, top), highest(highestPosition), lowest(lowestPosition), position(initial) {}

void SelectInstrument::RegisterArea(int32_t id) {
  Register(id, RECT{x, y, x + width, y + height}, PANEL_REDRAW_MOUSE, 0x0F, PANEL_MAP_CURRENT);
}

// One frame per position, the lowest leftmost. The position comes from the
// file as it stands, so the column is worked out wide and then bounded.
void SelectInstrument::Redraw(const DrawContext &context) {
  const int64_t column = (static_cast<int64_t>(position) - lowest) * width;
  BlitBitmap(context, 0, 0, BoundedCoordinate(static_cast<double>(column)), 0, width, height, 0xFFFFFF);
}

int32_t SelectInstrument::LeftPress(int mx, int my) {
  if (position > lowest) --position;
  RequestRedraw();
  return kActionNone;
}

int32_t SelectInstrument::RightPress(int mx, int my) {
  if (position < highest) ++position;
  RequestRedraw();
  return kActionNone;
}

void SelectInstrument::Publish(VariableTable &table) { table.Add("SEL", position); }

SelectElement::SelectElement(int32_t panelNumber, const VariableRef &slot, Bound<int32_t> selector, int32_t firstIndex,
                             int32_t lastIndex, int32_t initial)
    : Instrument(panelNumber, 0, 0),
      target(slot),
      selectorValue(selector),
      current(initial),
      first(firstIndex),
      last(lastIndex) {}

// A 1 x 1 area only so that the host calls every frame.
void SelectElement::RegisterArea(int32_t id) {
  Register(id, RECT{0, 0, 1, 1}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_IGNORE, PANEL_MAP_NONE);
}

// An index without a variable (a line that named nothing, or one whose
// object is gone) keeps the binding, as an instrument must never be left
// without a variable; a selector whose object is gone stops the element.
void SelectElement::FrameRedraw(const DrawContext &context) {
  const int32_t *selector = selectorValue.Get();
  if (selector == nullptr) return;
  const int32_t s = *selector;
  if (s == current || s < first || s > last) return;
  current = s;
  const size_t index = static_cast<size_t>(static_cast<int64_t>(s) - first);
  if (!target.Live() || index >= table.size() || !table[index] || !table[index].Live()) return;
  if (target.kind == VariableKind::kIntSlot)
    *static_cast<Bound<int32_t> *>(target.address) = Bound<int32_t>(table[index]);
  if (target.kind == VariableKind::kDoubleSlot)
    *static_cast<Bound<double> *>(target.address) = Bound<double>(table[index]);
}

SelectLook SelectLook::Of(const InstrumentClass &c) { return {BoundedCoordinate(c.D[0]), BoundedCoordinate(c.D[2])}; }
