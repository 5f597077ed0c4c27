#include "panels/instruments/LinearInstrument.h"

#include <cmath>

#include "math/Angles.h"
#include "panels/instruments/InstrumentClass.h"

LinearInstrument::LinearInstrument(int32_t panelNumber, int32_t left, int32_t top, Bound<double> bound, double lowValue,
                                   double highValue, double valueDivisor, double valueOffset)
    : BoundInstrument(panelNumber, left, top),
      divisor(valueDivisor),
      offset(valueOffset),
      high(highValue),
      low(lowValue) {
  variable = bound;
}

LinearInstrument::~LinearInstrument() {
  if (pointerSurface != nullptr) oapiDestroySurface(pointerSurface);
}

void LinearInstrument::RegisterArea(int32_t id) {
  Register(id, RECT{x, y, x + width + 1, y + height + 1}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_IGNORE, PANEL_MAP_CURRENT);
}

// An unbound indicator never moves its pointer.
bool LinearInstrument::UpdateFraction() {
  const double *value = Variable();
  if (value == nullptr) return false;
  double f = ((*value + offset) / divisor - low) / (high - low);
  if (f > 1) f = 1;
  if (!(f >= 0)) f = 0;
  if (f == lastFraction) return false;
  lastFraction = f;
  pointerX = static_cast<int32_t>(look.lowX + f * (look.highX - look.lowX));
  pointerY = static_cast<int32_t>(look.lowY + f * (look.highY - look.lowY));
  return true;
}

// A triangle pointing toward +x, turned by the look.rotation, on white.
void LinearInstrument::MakePointer(const DrawingResources *resources) {
  const int32_t s = look.pointerSize;
  pointerSurface = oapiCreateSurface(s + 3, s + 3);
  const double points[3][2] = {{-s / 2.0, -look.pointerWidth / 2.0}, {-s / 2.0, look.pointerWidth / 2.0}, {s / 2.0, 0}};
  const double centre = s / 2.0 + 1;
  const double c = std::cos(look.rotation), sn = std::sin(look.rotation);
  POINT triangle[3];
  for (int i = 0; i < 3; ++i) {
    const double px = static_cast<int32_t>(points[i][0]), py = static_cast<int32_t>(points[i][1]);
    triangle[i].x = static_cast<LONG>(centre + px * c - py * sn);
    triangle[i].y = static_cast<LONG>(centre + px * sn + py * c);
  }
  DrawTriangle(resources, pointerSurface, s + 2, triangle);
}

// A redraw the host asks for (the panel shown, the lighting changed) starts
// from a surface that lacks the scale: it paints the whole area.
void LinearInstrument::Redraw(const DrawContext &context) {
  UpdateFraction();
  Draw(context, true);
}

// Between those, only a pointer that moved is drawn again.
void LinearInstrument::FrameRedraw(const DrawContext &context) {
  if (UpdateFraction()) Draw(context, false);
}

void LinearInstrument::LightingChanged(bool lit) { RequestRedraw(); }

void LinearInstrument::Draw(const DrawContext &context, bool background) {
  if (pointerSurface == nullptr) MakePointer(context.resources);
  if (background) BlitBitmap(context, 0, 0, LitOffset(context), 0, width, height, SURF_NO_CK);
  BlitBitmap(context, previousX, previousY, previousX + LitOffset(context), previousY, look.pointerSize,
             look.pointerSize, SURF_NO_CK);
  if (pointerSurface != nullptr)
    oapiBlt(context.surface, pointerSurface, pointerX, pointerY, 1, 1, look.pointerSize, look.pointerSize, 0xFFFFFF);
  previousX = pointerX;
  previousY = pointerY;
}

LinearLook LinearLook::Of(const InstrumentClass &c) {
  LinearLook look;
  look.highX = BoundedCoordinate(c.D[0]);
  look.highY = BoundedCoordinate(c.D[1]);
  look.lowX = BoundedCoordinate(c.D[2]);
  look.lowY = BoundedCoordinate(c.D[3]);
  look.pointerWidth = c.I[4];
  look.pointerSize = c.I[5];
  look.rotation = DegreesToRadians(c.D[4]);
  return look;
}
