// Bitmaps written as PNG files, through stb's one-header writer: the same
// writer for the stand-in's bitmaps and for Windows' DIB sections.
#include <cstdint>
#include <fstream>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include "wincanvas.h"

bool wincanvas::writePng(HBITMAP bitmap, const std::string &path, std::string &error) {
  std::string png;
  if (!encodePng(bitmap, png, error)) return false;
  std::ofstream out(path, std::ios::binary);
  out.write(png.data(), static_cast<std::streamsize>(png.size()));
  if (out.flush()) return true;
  error = "cannot write " + path;
  return false;
}

bool wincanvas::encodePng(HBITMAP bitmap, std::string &png, std::string &error) {
  const int w = width(bitmap), h = height(bitmap);
  if (w < 1 || h < 1 || row(bitmap, 0) == nullptr) {
    error = "not a bitmap";
    return false;
  }
  std::vector<unsigned char> rgb(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
  unsigned char *out = rgb.data();
  for (int y = 0; y < h; ++y) {
    const uint32_t *in = row(bitmap, y);
    for (int x = 0; x < w; ++x) {
      *out++ = static_cast<unsigned char>(in[x] >> 16);
      *out++ = static_cast<unsigned char>(in[x] >> 8);
      *out++ = static_cast<unsigned char>(in[x]);
    }
  }
  png.clear();
  const auto append = [](void *context, void *data, int size) {
    static_cast<std::string *>(context)->append(static_cast<const char *>(data), static_cast<size_t>(size));
  };
  if (stbi_write_png_to_func(append, &png, w, h, 3, rgb.data(), w * 3) == 0) {
    error = "cannot encode the picture";
    return false;
  }
  return true;
}
