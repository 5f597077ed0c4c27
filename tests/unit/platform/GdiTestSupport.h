// A bitmap selected into a memory DC, files in a scratch folder, and PNG
// files read back with libpng: what the drawing tests share.
#pragma once

#include <gtest/gtest.h>
#include <png.h>
#include <stdlib.h>

#include <algorithm>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "wincanvas.h"
#include "windows.h"

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
    std::string pattern = ::testing::TempDir() + "gditestXXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    path = mkdtemp(name.data()) != nullptr ? name.data() : ::testing::TempDir();
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
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return result;
  result.hasAlpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0) return result;
  result.ok = true;
  result.width = static_cast<int>(image.width);
  result.height = static_cast<int>(image.height);
  for (size_t i = 0; i + 2 < rgb.size(); i += 3)
    result.pixels.push_back((uint32_t{rgb[i]} << 16) | (uint32_t{rgb[i + 1]} << 8) | rgb[i + 2]);
  return result;
}

}  // namespace gditest
