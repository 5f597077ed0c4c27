// 32-bit bitmaps: creation, block copies and fills, and the host's direct
// access to them (wincanvas.h).
#include <algorithm>
#include <cstring>
#include <new>

#include "GdiObjects.h"
#include "wincanvas.h"

namespace win32 {

Bitmap::Bitmap(int w, int h, bool topDownRows)
    : GdiObject(Kind::Bitmap), width(w), height(h), topDown(topDownRows), stride(w), bits(nullptr) {
  storage.resize(static_cast<size_t>(w) * static_cast<size_t>(h), 0u);
  bits = storage.empty() ? nullptr : storage.data();
}

Bitmap *NewBitmap(int width, int height, bool topDown) {
  if (width < 1 || height < 1 || width > kMaxBitmapSide || height > kMaxBitmapSide) {
    SetError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  Bitmap *bitmap = nullptr;
  try {
    bitmap = new Bitmap(width, height, topDown);
  } catch (const std::bad_alloc &) {
    SetError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  Register(bitmap);
  return bitmap;
}

namespace {

// Shrinks a w x h block at (x, y) to what lies inside [0, limitW) x [0, limitH),
// moving the block's corner in the other bitmap along. 64-bit: callers may
// pass any int, and no sum may wrap.
void Clip(long long &x, long long &y, long long &otherX, long long &otherY, long long &w, long long &h,
          int limitW, int limitH) {
  if (x < 0) {
    w += x;
    otherX -= x;
    x = 0;
  }
  if (y < 0) {
    h += y;
    otherY -= y;
    y = 0;
  }
  w = std::min<long long>(w, limitW - x);
  h = std::min<long long>(h, limitH - y);
}

}  // namespace

namespace {

// Four pixels at a time, without a branch per pixel: a panel's needles and
// bitmaps go through here for every area every frame.
void CopyKeyedRow(uint32_t *to, const uint32_t *from, int cols, uint32_t key) {
  typedef uint32_t Quad __attribute__((vector_size(16)));
  const Quad keys = {key, key, key, key};
  int c = 0;
  for (; c + 4 <= cols; c += 4) {
    Quad source, target;
    std::memcpy(&source, from + c, sizeof source);
    std::memcpy(&target, to + c, sizeof target);
    const Quad keep = static_cast<Quad>(source == keys);
    target = (target & keep) | (source & ~keep);
    std::memcpy(to + c, &target, sizeof target);
  }
  for (; c < cols; ++c)
    if (from[c] != key) to[c] = from[c];
}

}  // namespace

void CopyPixels(Bitmap &dst, int dstX, int dstY, Bitmap &src, int srcX, int srcY, int width, int height,
                bool useKey, uint32_t key) {
  long long dx = dstX, dy = dstY, sx = srcX, sy = srcY, w = width, h = height;
  Clip(sx, sy, dx, dy, w, h, src.width, src.height);
  Clip(dx, dy, sx, sy, w, h, dst.width, dst.height);
  if (w <= 0 || h <= 0) return;
  // Both corners now lie inside their bitmaps, and the block fits both.
  const int cols = static_cast<int>(w);
  const int rows = static_cast<int>(h);
  std::vector<uint32_t> block;
  if (&dst == &src) {
    // Overlapping blocks of one bitmap: read everything before writing.
    block.resize(static_cast<size_t>(cols) * rows);
    for (int r = 0; r < rows; ++r)
      std::copy_n(src.row(static_cast<int>(sy) + r) + sx, cols, block.begin() + static_cast<long>(r) * cols);
  }
  for (int r = 0; r < rows; ++r) {
    const uint32_t *from =
        block.empty() ? src.row(static_cast<int>(sy) + r) + sx : block.data() + static_cast<long>(r) * cols;
    uint32_t *to = dst.row(static_cast<int>(dy) + r) + dx;
    if (!useKey) {
      std::copy_n(from, cols, to);
      continue;
    }
    CopyKeyedRow(to, from, cols, key);
  }
}

void FillRect(Bitmap &target, long long left, long long top, long long right, long long bottom,
              uint32_t rgb) {
  left = std::max<long long>(left, 0);
  top = std::max<long long>(top, 0);
  right = std::min<long long>(right, target.width);
  bottom = std::min<long long>(bottom, target.height);
  if (left >= right) return;
  for (long long y = top; y < bottom; ++y)
    std::fill_n(target.row(static_cast<int>(y)) + left, right - left, rgb);
}

}  // namespace win32

namespace wincanvas {

using win32::Bitmap;
using win32::LookupBitmap;

HBITMAP createBitmap(int width, int height) {
  return reinterpret_cast<HBITMAP>(win32::NewBitmap(width, height, true));
}

bool isBitmap(HBITMAP bitmap) { return LookupBitmap(bitmap) != nullptr; }

int width(HBITMAP bitmap) {
  Bitmap *b = LookupBitmap(bitmap);
  return b != nullptr ? b->width : 0;
}

int height(HBITMAP bitmap) {
  Bitmap *b = LookupBitmap(bitmap);
  return b != nullptr ? b->height : 0;
}

uint32_t pixel(HBITMAP bitmap, int x, int y) {
  Bitmap *b = LookupBitmap(bitmap);
  return b != nullptr ? b->get(x, y) : 0u;
}

bool setPixel(HBITMAP bitmap, int x, int y, uint32_t rgb) {
  Bitmap *b = LookupBitmap(bitmap);
  if (b == nullptr || !b->contains(x, y)) return false;
  b->set(x, y, rgb);
  return true;
}

uint32_t *row(HBITMAP bitmap, int y) {
  Bitmap *b = LookupBitmap(bitmap);
  return b != nullptr ? b->row(y) : nullptr;
}

bool copy(HBITMAP dst, int dstX, int dstY, HBITMAP src, int srcX, int srcY, int w, int h, uint32_t key) {
  Bitmap *to = LookupBitmap(dst);
  Bitmap *from = LookupBitmap(src);
  if (to == nullptr || from == nullptr) return false;
  win32::CopyPixels(*to, dstX, dstY, *from, srcX, srcY, w, h, key != kNoKey, key);
  return true;
}

bool fill(HBITMAP bitmap, uint32_t rgb) {
  Bitmap *b = LookupBitmap(bitmap);
  if (b == nullptr) return false;
  win32::FillRect(*b, 0, 0, b->width, b->height, rgb);
  return true;
}

}  // namespace wincanvas
