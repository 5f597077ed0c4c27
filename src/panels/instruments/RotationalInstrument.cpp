#include "panels/instruments/RotationalInstrument.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "math/Angles.h"
#include "panels/instruments/InstrumentClass.h"

namespace {

constexpr double kEasingStep = 0.01;
// Where no needle point can be: the needle surface is not drawn yet.
constexpr POINT kNoPoint = {INT32_MIN, INT32_MIN};

bool SamePoint(const POINT &a, const POINT &b) { return a.x == b.x && a.y == b.y; }

}  // namespace

RotationalInstrument::RotationalInstrument(int32_t panelNumber, int32_t left, int32_t top, Bound<double> bound)
    : BoundInstrument(panelNumber, left, top) {
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
  std::fill(drawnNeedle, drawnNeedle + 3, kNoPoint);
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
void RotationalInstrument::Redraw(const DrawContext &context) {
  BlitBitmap(context, 0, 0, 0, context.lit ? height : 0, width, height, SURF_NO_CK);
  if (const double *value = Variable())
    shownAngle = Ease(shownAngle, minAngle + (*value - minValue) / (maxValue - minValue) * (maxAngle - minAngle));
  POINT rotated[3];
  const double c = std::cos(shownAngle), s = std::sin(shownAngle);
  for (int i = 0; i < 3; ++i) {
    rotated[i].x = static_cast<LONG>(length + shape[i].x * c - shape[i].y * s);
    rotated[i].y = static_cast<LONG>(length + shape[i].x * s + shape[i].y * c);
  }
  // The needle's surface is drawn again only when the needle's pixels move.
  if (!std::equal(rotated, rotated + 3, drawnNeedle, SamePoint)) {
    DrawTriangle(context.resources, needleSurface, 2 * length + 1, rotated);
    std::copy(rotated, rotated + 3, drawnNeedle);
  }
  if (needleSurface != nullptr)
    oapiBlt(context.surface, needleSurface, pivotX - length, pivotY - length, 0, 0, 2 * length, 2 * length,
            0xFFFFFF);
}

RotationalLook RotationalLook::Of(const InstrumentClass &c) {
  return {c.D[0], c.D[1], c.D[2], c.D[3], c.I[2], c.I[3], c.I[4], c.I[5]};
}
