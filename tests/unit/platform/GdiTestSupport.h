// A bitmap selected into a memory DC, files in a scratch folder, and PNG
// files read back with stb's reader: what the drawing tests share, on Linux
// and on Windows.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <windows.h>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

#include "wincanvas.h"

namespace gditest {

constexpr uint32_t kBlack = 0x000000;

// A black top-down bitmap of w x h, selected into its own DC.
class Canvas {
 public:
  Canvas(int w, int h) : bitmap(wincanvas::createBitmap(w, h)), dc(CreateCompatibleDC(nullptr)) {
    previous = SelectObject(dc, bitmap);
  }
  ~Canvas() {
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  Canvas(const Canvas &) = delete;
  Canvas &operator=(const Canvas &) = delete;

  uint32_t at(int x, int y) const { return wincanvas::pixel(bitmap, x, y); }

  // The smallest rectangle [left, right) x [top, bottom) holding every pixel
  // of colour `rgb`; all zero when there is none.
  RECT boxOf(uint32_t rgb) const {
    RECT box = {0, 0, 0, 0};
    bool any = false;
    for (int y = 0; y < wincanvas::height(bitmap); ++y)
      for (int x = 0; x < wincanvas::width(bitmap); ++x) {
        if (at(x, y) != rgb) continue;
        if (!any) box = {x, y, x + 1, y + 1};
        any = true;
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
    return box;
  }
  int count(uint32_t rgb) const {
    int n = 0;
    for (int y = 0; y < wincanvas::height(bitmap); ++y)
      for (int x = 0; x < wincanvas::width(bitmap); ++x) n += at(x, y) == rgb;
    return n;
  }

  HBITMAP bitmap;
  HDC dc;

 private:
  HGDIOBJ previous;
};

// A fresh folder under the test temp folder, removed with its files.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device random;
    for (int tries = 0; path.empty() && tries < 100; ++tries) {
      const std::filesystem::path candidate =
          std::filesystem::path(::testing::TempDir()) / ("gditest" + std::to_string(random()));
      if (std::filesystem::create_directory(candidate)) path = candidate.generic_string();
    }
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string file(const std::string &name) const { return path + "/" + name; }
  std::string path;
};

inline void WriteFile(const std::string &path, const std::vector<uint8_t> &bytes) {
  FILE *f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

// An RGB image read back: 0x00RRGGBB pixels, top row first.
struct PngImage {
  bool ok = false;
  bool hasAlpha = false;
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

inline PngImage ReadPng(const std::string &path) {
  PngImage result;
  int w = 0, h = 0, channels = 0;
  unsigned char *rgb = stbi_load(path.c_str(), &w, &h, &channels, 3);
  if (rgb == nullptr) return result;
  result.ok = true;
  result.hasAlpha = channels == 2 || channels == 4;
  result.width = w;
  result.height = h;
  for (size_t i = 0; i < static_cast<size_t>(w) * static_cast<size_t>(h) * 3; i += 3)
    result.pixels.push_back((uint32_t{rgb[i]} << 16) | (uint32_t{rgb[i + 1]} << 8) | rgb[i + 2]);
  stbi_image_free(rgb);
  return result;
}

}  // namespace gditest
