#include "panels/instruments/PlotInstrument.h"

#include <cstdio>

#include "config/text/Keywords.h"
#include "panels/instruments/DrawingResources.h"
#include "panels/instruments/InstrumentClass.h"

namespace {

constexpr double kBugStep = 0.2;
// The host's debug line holds this much.
constexpr size_t kDebugStringSize = 256;
// Beyond this the bug is off any background, and past what an int holds.
constexpr double kFarthestPixel = 1e9;

}  // namespace

PlotInstrument::PlotInstrument(int32_t panelNumber, int32_t left, int32_t top, Bound<double> vertical,
                               Bound<double> horizontal)
    : Instrument(panelNumber, left, top), xSlot(horizontal), ySlot(vertical) {}

void PlotInstrument::RegisterArea(int32_t id) {
  Register(id, RECT{x, y, x + width, y + height}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_IGNORE, PANEL_MAP_CURRENT);
}

// Unbound axes leave the bug where it is.
void PlotInstrument::Track() {
  const double *horizontal = xSlot.Get(), *vertical = ySlot.Get();
  if (horizontal == nullptr || vertical == nullptr) return;
  std::snprintf(oapiDebugString(), kDebugStringSize, "%0.4f %0.4f", *horizontal, *vertical);
  double t = (horizontalOrigin - *horizontal) / unitsPerPixel + look.xAtOrigin;
  if (!(t >= 0)) t = 0;
  if (t > kFarthestPixel) t = kFarthestPixel;
  const double s = (*vertical - verticalLow) / (verticalHigh - verticalLow);
  const double target = look.yAtLow + (look.yAtHigh - look.yAtLow) * s;
  if (t - scroll > look.scrollLimit) scroll = static_cast<int32_t>(t - look.scrollLimit);
  if (target > bugY) bugY += kBugStep;
  if (target < bugY) bugY -= kBugStep;
  bugX = static_cast<int32_t>(t);
}

void PlotInstrument::Redraw(const DrawContext &context) {
  const DrawingResources *r = context.resources;
  SURFHANDLE background = r != nullptr ? r->Surface(bitmap) : nullptr;
  if (armed) {
    Track();
    SURFHANDLE bug = r != nullptr ? r->Surface(look.bugImage) : nullptr;
    if (look.trace != 0 && background != nullptr && bug != nullptr)
      oapiBlt(background, bug, bugX, static_cast<int>(bugY), 0, 0, look.bugWidth, look.bugHeight, 0xFFFFFF);
  }
  if (background != nullptr) oapiBlt(context.surface, background, 0, 0, scroll, 0, width, height, SURF_NO_CK);
  if (SURFHANDLE over = r != nullptr ? r->Surface(look.overlay) : nullptr)
    oapiBlt(context.surface, over, 0, 0, 0, 0, width, height, 0);
}

// A disarmed plot is drawn once and then left alone.
void PlotInstrument::FrameRedraw(const DrawContext &context) {
  if (armed) {
    Redraw(context);
    drawnOnce = false;
  } else if (!drawnOnce) {
    Redraw(context);
    drawnOnce = true;
  }
}

void PlotInstrument::Publish(VariableTable &table) {
  table.Add("ARM", armed).AddSlot("XAXIS", xSlot).AddSlot("YAXIS", ySlot);
}

PlotLook PlotLook::Of(const InstrumentClass &c) {
  PlotLook look;
  look.overlay = c.resource1;
  look.bugImage = c.resource2;
  look.bugWidth = c.I[2];
  look.bugHeight = c.I[3];
  look.trace = c.I[4];
  look.scrollLimit = BoundedCoordinate(c.D[0]);
  look.yAtHigh = BoundedCoordinate(c.D[1]);
  look.xAtOrigin = BoundedCoordinate(c.D[2]);
  look.yAtLow = BoundedCoordinate(c.D[3]);
  return look;
}
