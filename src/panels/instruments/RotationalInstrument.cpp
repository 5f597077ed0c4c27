#include "panels/instruments/RotationalInstrument.h"

#include <cmath>

#include "math/Angles.h"
#include "panels/DrawingResources.h"
#include "panels/Panel.h"

namespace {

constexpr double kEasingStep = 0.01;

}  // namespace

RotationalInstrument::RotationalInstrument(Panel *owner, int32_t left, int32_t top, double *bound)
    : BoundInstrument(owner, left, top) {
  variable = bound;
}

RotationalInstrument::~RotationalInstrument() {
  if (needleSurface != nullptr) oapiDestroySurface(needleSurface);
}

void RotationalInstrument::SetScale(double maxV, double maxDegrees, double minV, double minDegrees) {
  maxValue = maxV;
  maxAngle = DegreesToRadians(maxDegrees);
  minValue = minV;
  minAngle = DegreesToRadians(minDegrees);
}

void RotationalInstrument::SetNeedle(int32_t needleWidth, int32_t needleLength) {
  length = needleLength;
  shape[0] = POINT{-needleWidth / 2, 0};
  shape[1] = POINT{needleWidth / 2, 0};
  shape[2] = POINT{0, needleLength};
  if (needleSurface != nullptr) oapiDestroySurface(needleSurface);
  needleSurface = length >= 0 ? oapiCreateSurface(2 * length + 2, 2 * length + 2) : nullptr;
}

void RotationalInstrument::RegisterArea(int32_t id) {
  Register(id, RECT{x, y, x + width + 1, y + height + 1}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_IGNORE,
           PANEL_MAP_BACKGROUND);
}

double RotationalInstrument::Ease(double shown, double target) {
  if (shown > target) shown = shown - target < kEasingStep ? target : shown - kEasingStep;
  if (shown < target) shown = target - shown < kEasingStep ? target : shown + kEasingStep;
  return shown;
}

// An unbound gauge rests at its shown angle.
void RotationalInstrument::Redraw() {
  BlitBitmap(0, 0, 0, Lit() ? height : 0, width, height, SURF_NO_CK);
  if (variable != nullptr)
    shownAngle = Ease(shownAngle, minAngle + (*variable - minValue) / (maxValue - minValue) * (maxAngle - minAngle));
  POINT rotated[3];
  const double c = std::cos(shownAngle), s = std::sin(shownAngle);
  for (int i = 0; i < 3; ++i) {
    rotated[i].x = static_cast<LONG>(length + shape[i].x * c - shape[i].y * s);
    rotated[i].y = static_cast<LONG>(length + shape[i].x * s + shape[i].y * c);
  }
  DrawNeedle(rotated);
  if (needleSurface != nullptr)
    oapiBlt(panel->drawingSurface, needleSurface, pivotX - length, pivotY - length, 0, 0, 2 * length, 2 * length,
            0xFFFFFF);
}

// On white, which the blit keys out.
void RotationalInstrument::DrawNeedle(POINT rotated[3]) const {
  const DrawingResources *r = panel->resources;
  if (needleSurface == nullptr || r == nullptr) return;
  HDC dc = oapiGetDC(needleSurface);
  if (dc == nullptr) return;
  SelectObject(dc, r->whiteBrush);
  SelectObject(dc, r->nullPen);
  Rectangle(dc, 0, 0, 2 * length + 1, 2 * length + 1);
  SelectObject(dc, r->blackBrush);
  Polygon(dc, rotated, 3);
  oapiReleaseDC(needleSurface, dc);
}
