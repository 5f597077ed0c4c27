// The host API's drawing surfaces: each wraps one bitmap of the Win32
// stand-in and lends out a DC to draw on it. SURFHANDLEs are Surface
// pointers, checked against the live ones before use.
#pragma once

#include "OrbiterAPI.h"

namespace host {

class Surface {
 public:
  // A black surface; null when a side is not in 1..16384.
  static Surface *create(int width, int height);
  // A surface with a copy of the bitmap's pixels; the bitmap is deleted when
  // `releaseBitmap`. Null for anything but a live bitmap.
  static Surface *fromBitmap(HBITMAP bitmap, bool releaseBitmap);
  // The live surface behind a handle, or null.
  static Surface *find(SURFHANDLE handle);
  // Frees a surface made by create or fromBitmap, and its DC if one is out.
  static void destroy(Surface *surface);

  SURFHANDLE handle() { return this; }
  HBITMAP bitmap() const { return pixels; }
  int width() const;
  int height() const;

  // A DC with the surface's bitmap selected; the same one until released.
  HDC getDC();
  void releaseDC(HDC hdc);

  // Surfaces of the panel host's areas: the module draws on them but does not
  // get to destroy them.
  bool hostOwned = false;

 private:
  explicit Surface(HBITMAP bitmap) : pixels(bitmap) {}
  ~Surface();
  Surface(const Surface &) = delete;
  Surface &operator=(const Surface &) = delete;

  HBITMAP pixels;
  HDC dc = nullptr;
  HGDIOBJ bitmapBefore = nullptr;  // what the DC held before the surface's bitmap
};

}  // namespace host
