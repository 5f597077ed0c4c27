// Bitmaps written as PNG files, through libpng's simplified interface.
#include <png.h>

#include <vector>

#include "GdiObjects.h"
#include "wincanvas.h"

bool wincanvas::writePng(HBITMAP handle, const std::string &path, std::string &error) {
  win32::Bitmap *bitmap = win32::LookupBitmap(handle);
  if (bitmap == nullptr || bitmap->width < 1 || bitmap->height < 1) {
    error = "not a bitmap";
    return false;
  }
  const size_t rowBytes = static_cast<size_t>(bitmap->width) * 3;
  std::vector<png_byte> rgb(rowBytes * static_cast<size_t>(bitmap->height));
  for (int y = 0; y < bitmap->height; ++y) {
    const uint32_t *in = bitmap->row(y);
    png_byte *out = rgb.data() + rowBytes * static_cast<size_t>(y);
    for (int x = 0; x < bitmap->width; ++x) {
      out[3 * x] = static_cast<png_byte>(in[x] >> 16);
      out[3 * x + 1] = static_cast<png_byte>(in[x] >> 8);
      out[3 * x + 2] = static_cast<png_byte>(in[x]);
    }
  }
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(bitmap->width);
  image.height = static_cast<png_uint_32>(bitmap->height);
  image.format = PNG_FORMAT_RGB;
  if (png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), static_cast<png_int_32>(rowBytes),
                              nullptr) == 0) {
    error = "cannot write " + path + ": " + image.message;
    png_image_free(&image);
    return false;
  }
  return true;
}
