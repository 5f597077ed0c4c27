// Reading back what a module drew on a host surface, the way a module could:
// through the DC the surface lends.
#pragma once

#include <cstdint>

#include "OrbiterAPI.h"
#include "wincanvas.h"
#include "windows.h"

// The pixel of a surface, read through the bitmap it lends its DC.
inline uint32_t PixelOf(SURFHANDLE surf, int x, int y) {
  HDC dc = oapiGetDC(surf);
  HBITMAP probe = wincanvas::createBitmap(1, 1);
  HDC probeDc = CreateCompatibleDC(nullptr);
  HGDIOBJ before = SelectObject(probeDc, probe);
  BitBlt(probeDc, 0, 0, 1, 1, dc, x, y, SRCCOPY);
  const uint32_t value = wincanvas::pixel(probe, 0, 0);
  SelectObject(probeDc, before);
  DeleteDC(probeDc);
  DeleteObject(probe);
  oapiReleaseDC(surf, dc);
  return value;
}
