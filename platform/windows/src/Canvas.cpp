// The host's screen side over Windows' own bitmaps. The host makes its
// canvases as 32-bit top-down DIB sections and reads their pixels in place;
// any other bitmap (one the module loaded, as LoadImage gives it, or made as
// a DIB section of its own) is read through GetDIBits, which knows its row
// order: what GetObject reports of a DIB section's height is not to be
// trusted for that.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <unordered_map>
#include <vector>

#include "wincanvas.h"

namespace wincanvas {

namespace {

constexpr int kMaxSide = 16384;
constexpr uint32_t kRgb = 0x00FFFFFFu;

// A canvas createBitmap made: its pixels, top row first, and its size.
struct Canvas {
  uint32_t *pixels = nullptr;
  int width = 0;
  int height = 0;
  uint32_t *row(int y) const { return pixels + static_cast<size_t>(y) * width; }
};

std::unordered_map<HBITMAP, Canvas> canvases;

// The canvas `bitmap` is, or null. A handle Windows has since given to
// another bitmap no longer has the canvas's pixels. GDI may still hold
// drawing back in a batch, so it is flushed before the pixels are read.
const Canvas *canvasOf(HBITMAP bitmap) {
  const auto found = canvases.find(bitmap);
  if (found == canvases.end()) return nullptr;
  DIBSECTION dib;
  if (GetObjectA(bitmap, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBits != found->second.pixels) {
    canvases.erase(found);
    return nullptr;
  }
  GdiFlush();
  return &found->second;
}

BITMAPINFO TopDown32(int w, int h) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// Any bitmap's pixels, read through GetDIBits, as a canvas of its own.
struct ReadBitmap {
  explicit ReadBitmap(HBITMAP bitmap) {
    BITMAP size;
    if (GetObjectA(bitmap, sizeof size, &size) == 0) return;
    canvas.width = size.bmWidth;
    canvas.height = std::abs(size.bmHeight);
    pixels.resize(static_cast<size_t>(canvas.width) * static_cast<size_t>(canvas.height));
    if (pixels.empty()) return;
    BITMAPINFO info = TopDown32(canvas.width, canvas.height);
    HDC dc = CreateCompatibleDC(nullptr);
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(canvas.height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    for (uint32_t &p : pixels) p &= kRgb;
    canvas.pixels = pixels.data();
  }
  std::vector<uint32_t> pixels;
  Canvas canvas;
};

}  // namespace

HBITMAP createBitmap(int w, int h) {
  if (w < 1 || h < 1 || w > kMaxSide || h > kMaxSide) return nullptr;
  BITMAPINFO info = TopDown32(w, h);
  void *bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) canvases[bitmap] = Canvas{static_cast<uint32_t *>(bits), w, h};
  return bitmap;
}

bool isBitmap(HBITMAP bitmap) { return bitmap != nullptr && GetObjectType(bitmap) == OBJ_BITMAP; }

int width(HBITMAP bitmap) {
  if (const Canvas *canvas = canvasOf(bitmap)) return canvas->width;
  BITMAP info;
  return isBitmap(bitmap) && GetObjectA(bitmap, sizeof info, &info) != 0 ? info.bmWidth : 0;
}

int height(HBITMAP bitmap) {
  if (const Canvas *canvas = canvasOf(bitmap)) return canvas->height;
  BITMAP info;
  return isBitmap(bitmap) && GetObjectA(bitmap, sizeof info, &info) != 0 ? std::abs(info.bmHeight) : 0;
}

uint32_t *row(HBITMAP bitmap, int y) {
  const Canvas *canvas = canvasOf(bitmap);
  return canvas != nullptr && y >= 0 && y < canvas->height ? canvas->row(y) : nullptr;
}

uint32_t pixel(HBITMAP bitmap, int x, int y) {
  const Canvas *canvas = canvasOf(bitmap);
  const ReadBitmap read(canvas == nullptr && isBitmap(bitmap) ? bitmap : nullptr);
  if (canvas == nullptr) canvas = &read.canvas;
  if (x < 0 || y < 0 || x >= canvas->width || y >= canvas->height || canvas->pixels == nullptr) return 0;
  return canvas->row(y)[x] & kRgb;
}

bool setPixel(HBITMAP bitmap, int x, int y, uint32_t rgb) {
  const Canvas *canvas = canvasOf(bitmap);
  if (canvas == nullptr || x < 0 || y < 0 || x >= canvas->width || y >= canvas->height) return false;
  canvas->row(y)[x] = rgb & kRgb;
  return true;
}

bool copy(HBITMAP dst, int dstX, int dstY, HBITMAP src, int srcX, int srcY, int w, int h, uint32_t key) {
  const Canvas *to = canvasOf(dst);
  if (to == nullptr || !isBitmap(src)) return false;
  // A loaded bitmap, or a block copied within one bitmap, is read whole first.
  const Canvas *from = src != dst ? canvasOf(src) : nullptr;
  const ReadBitmap read(from == nullptr ? src : nullptr);
  if (from == nullptr) from = &read.canvas;
  // The block, clipped to both bitmaps, as columns and rows of the source.
  const long long x0 = std::max({0LL, -static_cast<long long>(srcX), -static_cast<long long>(dstX)});
  const long long y0 = std::max({0LL, -static_cast<long long>(srcY), -static_cast<long long>(dstY)});
  const long long x1 = std::min({static_cast<long long>(w), 0LL + from->width - srcX, 0LL + to->width - dstX});
  const long long y1 = std::min({static_cast<long long>(h), 0LL + from->height - srcY, 0LL + to->height - dstY});
  for (long long y = y0; y < y1; ++y) {
    const uint32_t *in = from->row(static_cast<int>(srcY + y)) + srcX;
    uint32_t *out = to->row(static_cast<int>(dstY + y)) + dstX;
    for (long long x = x0; x < x1; ++x) {
      const uint32_t p = in[x] & kRgb;
      if (key == kNoKey || p != key) out[x] = p;
    }
  }
  return true;
}

bool fill(HBITMAP bitmap, uint32_t rgb) {
  const Canvas *canvas = canvasOf(bitmap);
  if (canvas == nullptr) return false;
  std::fill(canvas->pixels, canvas->pixels + static_cast<size_t>(canvas->width) * canvas->height, rgb & kRgb);
  return true;
}

}  // namespace wincanvas
