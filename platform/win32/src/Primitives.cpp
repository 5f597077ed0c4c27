// Rectangles, polygons and lines, drawn the GDI way: no anti-aliasing, right
// and bottom edges and a line's last point left out, everything clipped to
// the bitmap in the DC.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "GdiObjects.h"

namespace {

using win32::Bitmap;
using win32::DeviceContext;
using win32::Pen;

// The pen's dot at (x, y): one pixel, or a square `width` pixels wide.
void Plot(Bitmap &bitmap, const Pen &pen, long long x, long long y, uint32_t rgb) {
  if (pen.width <= 1) {
    if (x >= 0 && y >= 0 && x < bitmap.width && y < bitmap.height)
      bitmap.set(static_cast<int>(x), static_cast<int>(y), rgb);
    return;
  }
  const long long half = (pen.width - 1) / 2;
  win32::FillRect(bitmap, x - half, y - half, x - half + pen.width, y - half + pen.width, rgb);
}

// From (x0, y0) towards (x1, y1), the end point left out. Steps only over
// the part of the major axis that can touch the bitmap, so a line thousands
// of kilometres long costs no more than one across it.
void DrawLine(Bitmap &bitmap, const Pen &pen, long long x0, long long y0, long long x1, long long y1) {
  if (pen.style == PS_NULL) return;
  const uint32_t rgb = win32::PixelOf(pen.color);
  const long long dx = x1 - x0, dy = y1 - y0;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const long long steps = xMajor ? std::llabs(dx) : std::llabs(dy);
  if (steps == 0) return;
  const long long minor = xMajor ? std::llabs(dy) : std::llabs(dx);
  const long long majorStart = xMajor ? x0 : y0;
  const long long minorStart = xMajor ? y0 : x0;
  const int majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const long long margin = pen.width / 2 + 1;
  const long long limit = xMajor ? bitmap.width : bitmap.height;
  // Steps t at which majorStart + majorSign * t lies in [-margin, limit + margin).
  long long first, last;
  if (majorSign > 0) {
    first = -margin - majorStart;
    last = limit + margin - 1 - majorStart;
  } else {
    first = majorStart - (limit + margin - 1);
    last = majorStart + margin;
  }
  first = std::max<long long>(first, 0);
  last = std::min<long long>(last, steps - 1);
  for (long long t = first; t <= last; ++t) {
    const long long along = majorStart + majorSign * t;
    // The minor coordinate rounded to the nearest pixel, as Bresenham's would
    // be; the product of two spans of 2^32 needs more than 64 bits.
    const __int128 rounded = (static_cast<__int128>(2) * t * minor + steps) / (2 * steps);
    const long long across = minorStart + minorSign * static_cast<long long>(rounded);
    if (xMajor) {
      Plot(bitmap, pen, along, across, rgb);
    } else {
      Plot(bitmap, pen, across, along, rgb);
    }
  }
}

}  // namespace

using namespace win32;

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  DeviceContext *dc = LookupDC(hdc);
  if (dc == nullptr) {
    SetError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  Bitmap &bitmap = *dc->bitmap;
  const Pen &pen = *dc->pen;
  const uint32_t fill = PixelOf(dc->brush->color);
  const long long l = left, t = top, r = right, b = bottom;
  // Without an outline Windows fills the interior alone, which stops one
  // pixel short of the right and bottom edges.
  if (pen.style == PS_NULL) {
    FillRect(bitmap, l, t, r - 1, b - 1, fill);
    return TRUE;
  }
  if (r == l || b == t) return TRUE;
  FillRect(bitmap, l + 1, t + 1, r - 1, b - 1, fill);
  // The outline runs along the outermost pixels, a wide pen centred on them.
  const uint32_t ink = PixelOf(pen.color);
  const long long half = (pen.width - 1) / 2, extra = pen.width / 2;
  FillRect(bitmap, l - half, t - half, r + extra, t + extra + 1, ink);
  FillRect(bitmap, l - half, b - 1 - half, r + extra, b + extra, ink);
  FillRect(bitmap, l - half, t - half, l + extra + 1, b + extra, ink);
  FillRect(bitmap, r - 1 - half, t - half, r + extra, b + extra, ink);
  return TRUE;
}

BOOL Polygon(HDC hdc, const POINT *points, int count) {
  DeviceContext *dc = LookupDC(hdc);
  if (dc == nullptr || points == nullptr || count < 2) {
    SetError(dc == nullptr ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Bitmap &bitmap = *dc->bitmap;
  long long minY = points[0].y, maxY = points[0].y;
  for (int i = 1; i < count; ++i) {
    minY = std::min<long long>(minY, points[i].y);
    maxY = std::max<long long>(maxY, points[i].y);
  }
  // Alternate fill, as Windows' (and Wine's) GDI does it: pixel (x, y) is the
  // point (x, y), in when it lies inside an odd number of edges, row by row;
  // left and top edges in, right and bottom out.
  const uint32_t fill = PixelOf(dc->brush->color);
  const long long firstRow = std::max<long long>(minY, 0);
  const long long endRow = std::min<long long>(maxY, bitmap.height);
  std::vector<double> crossings;
  for (long long y = firstRow; y < endRow; ++y) {
    crossings.clear();
    for (int i = 0; i < count; ++i) {
      const POINT &a = points[i];
      const POINT &b = points[(i + 1) % count];
      if (a.y == b.y) continue;
      const long long low = std::min(a.y, b.y), high = std::max(a.y, b.y);
      if (y < low || y >= high) continue;
      crossings.push_back(a.x + static_cast<double>(y - a.y) * (static_cast<double>(b.x) - a.x) /
                                    (static_cast<double>(b.y) - a.y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
      const double from = std::max(std::ceil(crossings[i]), 0.0);
      const double to = std::min(std::ceil(crossings[i + 1]), static_cast<double>(bitmap.width));
      if (from < to) FillRect(bitmap, static_cast<long long>(from), y, static_cast<long long>(to), y + 1, fill);
    }
  }
  // The outline closes on itself, so every vertex is some segment's start.
  for (int i = 0; i < count; ++i) {
    const POINT &a = points[i];
    const POINT &b = points[(i + 1) % count];
    DrawLine(bitmap, *dc->pen, a.x, a.y, b.x, b.y);
  }
  return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
  DeviceContext *dc = LookupDC(hdc);
  if (dc == nullptr) {
    SetError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DrawLine(*dc->bitmap, *dc->pen, dc->position.x, dc->position.y, x, y);
  dc->position = {x, y};
  return TRUE;
}
