// What the host does with the stand-in's bitmaps beyond the Win32 names: the
// screen side of a panel (blank bitmaps, pixel access, keyed copies, PNG
// files). Pixels are 0x00RRGGBB; (0, 0) is the top-left pixel whatever the
// bitmap's row order in memory.
#pragma once

#include <cstdint>
#include <string>

#include <windows.h>

namespace wincanvas {

// No colour key: every source pixel is copied.
constexpr uint32_t kNoKey = 0xFFFFFFFFu;

// A black top-down 32-bit bitmap; null when a side is not in 1..16384 or
// memory runs out. Freed with DeleteObject.
HBITMAP createBitmap(int width, int height);

// Whether `bitmap` is a live bitmap of the stand-in.
bool isBitmap(HBITMAP bitmap);

// 0 for anything that is not a live bitmap.
int width(HBITMAP bitmap);
int height(HBITMAP bitmap);

// The pixel at (x, y); 0 outside the bitmap.
uint32_t pixel(HBITMAP bitmap, int x, int y);
// False outside the bitmap.
bool setPixel(HBITMAP bitmap, int x, int y, uint32_t rgb);

// The `width` pixels of row y (from the top); null outside the bitmap.
uint32_t *row(HBITMAP bitmap, int y);

// Copies the w x h block at (srcX, srcY) of `src` to (dstX, dstY) of `dst`,
// clipped to both bitmaps; source pixels equal to `key` are left out unless
// key is kNoKey. False when either is not a bitmap.
bool copy(HBITMAP dst, int dstX, int dstY, HBITMAP src, int srcX, int srcY, int w, int h,
          uint32_t key = kNoKey);

// Fills the whole bitmap with one colour.
bool fill(HBITMAP bitmap, uint32_t rgb);

// Writes the bitmap as an 8-bit RGB PNG (no alpha); false with a reason.
bool writePng(HBITMAP bitmap, const std::string &path, std::string &error);
// The same PNG file's bytes.
bool encodePng(HBITMAP bitmap, std::string &png, std::string &error);

}  // namespace wincanvas
