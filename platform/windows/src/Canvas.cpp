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

// The canvases createBitmap made, with their pixels. A handle Windows has
// since given to another bitmap no longer has those pixels.
std::unordered_map<HBITMAP, void *> canvases;

uint32_t *canvasPixels(HBITMAP bitmap) {
  const auto found = canvases.find(bitmap);
  DIBSECTION dib;
  if (found == canvases.end()) return nullptr;
  // GDI may still hold drawing back in a batch.
  GdiFlush();
  if (GetObjectA(bitmap, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBits != found->second) {
    canvases.erase(found);
    return nullptr;
  }
  return static_cast<uint32_t *>(found->second);
}

// Every pixel of any bitmap, top row first, as 0x00RRGGBB.
std::vector<uint32_t> pixelsOf(HBITMAP bitmap) {
  const int w = width(bitmap), h = height(bitmap);
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
  if (pixels.empty()) return pixels;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = CreateCompatibleDC(nullptr);
  GetDIBits(dc, bitmap, 0, static_cast<UINT>(h), pixels.data(), &info, DIB_RGB_COLORS);
  DeleteDC(dc);
  for (uint32_t &p : pixels) p &= kRgb;
  return pixels;
}

}  // namespace

HBITMAP createBitmap(int w, int h) {
  if (w < 1 || h < 1 || w > kMaxSide || h > kMaxSide) return nullptr;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void *bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) canvases[bitmap] = bits;
  return bitmap;
}

bool isBitmap(HBITMAP bitmap) { return bitmap != nullptr && GetObjectType(bitmap) == OBJ_BITMAP; }

int width(HBITMAP bitmap) {
  BITMAP info;
  return isBitmap(bitmap) && GetObjectA(bitmap, sizeof info, &info) != 0 ? info.bmWidth : 0;
}

int height(HBITMAP bitmap) {
  BITMAP info;
  return isBitmap(bitmap) && GetObjectA(bitmap, sizeof info, &info) != 0 ? std::abs(info.bmHeight) : 0;
}

uint32_t *row(HBITMAP bitmap, int y) {
  uint32_t *pixels = canvasPixels(bitmap);
  if (pixels == nullptr || y < 0 || y >= height(bitmap)) return nullptr;
  return pixels + static_cast<size_t>(y) * width(bitmap);
}

uint32_t pixel(HBITMAP bitmap, int x, int y) {
  if (x < 0 || x >= width(bitmap)) return 0;
  if (const uint32_t *r = row(bitmap, y)) return r[x] & kRgb;
  if (y < 0 || y >= height(bitmap)) return 0;
  return pixelsOf(bitmap)[static_cast<size_t>(y) * width(bitmap) + x];
}

bool setPixel(HBITMAP bitmap, int x, int y, uint32_t rgb) {
  uint32_t *r = row(bitmap, y);
  if (r == nullptr || x < 0 || x >= width(bitmap)) return false;
  r[x] = rgb & kRgb;
  return true;
}

bool copy(HBITMAP dst, int dstX, int dstY, HBITMAP src, int srcX, int srcY, int w, int h, uint32_t key) {
  if (!isBitmap(dst) || !isBitmap(src) || row(dst, 0) == nullptr) return false;
  const long long srcW = width(src), srcH = height(src), dstW = width(dst), dstH = height(dst);
  // The block, clipped to both bitmaps, as columns and rows of the source.
  const long long x0 = std::max({0LL, -static_cast<long long>(srcX), -static_cast<long long>(dstX)});
  const long long y0 = std::max({0LL, -static_cast<long long>(srcY), -static_cast<long long>(dstY)});
  const long long x1 = std::min({static_cast<long long>(w), srcW - srcX, dstW - dstX});
  const long long y1 = std::min({static_cast<long long>(h), srcH - srcY, dstH - dstY});
  if (x0 >= x1 || y0 >= y1) return true;
  // A loaded bitmap, or a block copied within one bitmap, is read whole first.
  const bool inPlace = row(src, 0) != nullptr && src != dst;
  const std::vector<uint32_t> read = inPlace ? std::vector<uint32_t>() : pixelsOf(src);
  for (long long y = y0; y < y1; ++y) {
    const uint32_t *in = inPlace ? row(src, static_cast<int>(srcY + y)) : read.data() + (srcY + y) * srcW;
    uint32_t *out = row(dst, static_cast<int>(dstY + y));
    for (long long x = x0; x < x1; ++x) {
      const uint32_t p = in[srcX + x] & kRgb;
      if (key == kNoKey || p != key) out[dstX + x] = p;
    }
  }
  return true;
}

bool fill(HBITMAP bitmap, uint32_t rgb) {
  if (row(bitmap, 0) == nullptr) return false;
  for (int y = 0, h = height(bitmap), w = width(bitmap); y < h; ++y) {
    uint32_t *r = row(bitmap, y);
    for (int x = 0; x < w; ++x) r[x] = rgb & kRgb;
  }
  return true;
}

}  // namespace wincanvas
