#include "panels/instruments/Instrument.h"

#include "config/text/Keywords.h"
#include "panels/instruments/DrawingResources.h"

// Positions from the files are bounded here, for every kind of instrument.
Instrument::Instrument(int32_t panelNumber, int32_t left, int32_t top)
    : x(BoundedCoordinate(left)), y(BoundedCoordinate(top)), panel(panelNumber) {}

void Instrument::Register(int32_t id, const RECT &area, int redrawMode, int mouseMask, int surfaceMode) {
  areaId = id;
  oapiRegisterPanelArea(id, area, redrawMode, mouseMask, surfaceMode);
}

void Instrument::RequestRedraw() const { oapiTriggerPanelRedrawArea(panel, areaId); }

void Instrument::BlitBitmap(const DrawContext &context, int tx, int ty, int sx, int sy, int w, int h,
                            DWORD colourKey) const {
  SURFHANDLE source = context.resources != nullptr ? context.resources->Surface(bitmap) : nullptr;
  if (source == nullptr) return;
  oapiBlt(context.surface, source, tx, ty, sx, sy, w, h, colourKey);
}

void Instrument::DrawTriangle(const DrawingResources *r, SURFHANDLE surface, int32_t side, const POINT points[3]) {
  HDC dc = surface != nullptr && r != nullptr ? oapiGetDC(surface) : nullptr;
  if (dc == nullptr) return;
  SelectObject(dc, r->whiteBrush);
  SelectObject(dc, r->nullPen);
  Rectangle(dc, 0, 0, side, side);
  SelectObject(dc, r->blackBrush);
  Polygon(dc, points, 3);
  oapiReleaseDC(surface, dc);
}

template class BoundInstrument<int32_t>;
template class BoundInstrument<double>;
