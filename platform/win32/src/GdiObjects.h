// The objects behind the stand-in's GDI handles, and the one registry that
// tells a live handle from a stale or made-up one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "windows.h"

namespace win32 {

enum class Kind { Bitmap, Pen, Brush, Font, DeviceContext };

struct GdiObject {
  explicit GdiObject(Kind k) : kind(k) {}
  virtual ~GdiObject() = default;
  GdiObject(const GdiObject &) = delete;
  GdiObject &operator=(const GdiObject &) = delete;

  const Kind kind;
  // Stock objects (a DC's defaults) live for the whole run.
  bool stock = false;
  // How many DCs have this object selected, and whether DeleteObject was
  // asked for while it was: then it goes when the last DC lets it go.
  int selections = 0;
  bool deletePending = false;
};

// A 32-bit bitmap: pixels 0x00RRGGBB, rows `stride` pixels apart. Bottom-up
// bitmaps keep their bottom row first in memory, as a Windows DIB does.
struct Bitmap : GdiObject {
  Bitmap(int w, int h, bool topDownRows);

  // Row `y` counted from the top as drawing code sees it; null outside.
  uint32_t *row(int y) {
    if (y < 0 || y >= height) return nullptr;
    const int memoryRow = topDown ? y : height - 1 - y;
    return bits + static_cast<size_t>(memoryRow) * static_cast<size_t>(stride);
  }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  void set(int x, int y, uint32_t rgb) {
    if (contains(x, y)) row(y)[x] = rgb;
  }
  uint32_t get(int x, int y) { return contains(x, y) ? row(y)[x] : 0; }

  int width;
  int height;
  bool topDown;
  int stride;  // in pixels
  uint32_t *bits;
  std::vector<uint32_t> storage;
};

struct Pen : GdiObject {
  Pen(int s, int w, COLORREF c) : GdiObject(Kind::Pen), style(s), width(w), color(c) {}
  int style;
  int width;
  COLORREF color;
};

struct Brush : GdiObject {
  explicit Brush(COLORREF c) : GdiObject(Kind::Brush), color(c) {}
  COLORREF color;
};

class FaceSize;

struct Font : GdiObject {
  Font() : GdiObject(Kind::Font) {}
  int height = 0;  // as CreateFontA got it: >0 cell, <0 em, 0 default
  int weight = FW_NORMAL;
  bool italic = false;
  char face[32] = "";
  // The face and pixel size it renders with, found on first use.
  FaceSize *resolved = nullptr;
};

struct DeviceContext : GdiObject {
  DeviceContext() : GdiObject(Kind::DeviceContext) {}
  Bitmap *bitmap = nullptr;
  Pen *pen = nullptr;
  Brush *brush = nullptr;
  Font *font = nullptr;
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  UINT textAlign = TA_LEFT | TA_TOP;
  POINT position = {0, 0};
  // What SetPixelFormat recorded: the format (0: none yet).
  int pixelFormat = 0;
};

// Registry: every live object the stand-in handed out.
void Register(GdiObject *object);
void Unregister(GdiObject *object);
GdiObject *Lookup(const void *handle);
template <typename T>
T *LookupAs(const void *handle, Kind kind) {
  GdiObject *object = Lookup(handle);
  return object != nullptr && object->kind == kind ? static_cast<T *>(object) : nullptr;
}
inline Bitmap *LookupBitmap(const void *handle) { return LookupAs<Bitmap>(handle, Kind::Bitmap); }
inline DeviceContext *LookupDC(const void *handle) {
  return LookupAs<DeviceContext>(handle, Kind::DeviceContext);
}

// A new bitmap, registered; null (with the last error set) when the size is
// out of range or memory runs out.
Bitmap *NewBitmap(int width, int height, bool topDown);

// The largest side a bitmap may have: keeps a bad file or rectangle from
// asking for gigabytes.
constexpr int kMaxBitmapSide = 16384;
constexpr int kMaxPenWidth = 64;

void SetError(DWORD code);

// Windows colours keep red in the low byte; bitmaps keep it in the third.
inline uint32_t PixelOf(COLORREF color) {
  return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}

// Copies a w x h block between bitmaps (they may be the same), clipped to
// both; source pixels equal to `key` are skipped when `useKey`.
void CopyPixels(Bitmap &dst, int dx, int dy, Bitmap &src, int sx, int sy, int w, int h, bool useKey,
                uint32_t key);

// Fills [left, right) x [top, bottom), clipped; any corners, even far outside.
void FillRect(Bitmap &target, long long left, long long top, long long right, long long bottom,
              uint32_t rgb);

}  // namespace win32
