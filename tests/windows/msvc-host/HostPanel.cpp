// Surfaces, panels and MFDs. A surface is a 32-bit top-down DIB section of
// Wine's gdi32, so what the module draws through a DC or a blit lands in
// pixels the host can look at.
#include <stdio.h>

#include "Host.h"

Panel panel;

namespace {

struct Surface {
  HBITMAP bitmap;
  unsigned *pixels;
  int width, height;
  HDC dc;  // the module's, between oapiGetDC and oapiReleaseDC
  HGDIOBJ before;
};

Surface surfaces[256];

Surface *Find(SURFHANDLE handle) {
  for (Surface &s : surfaces)
    if (&s == handle && s.bitmap != nullptr) return &s;
  return nullptr;
}

Surface *NewSurface(int width, int height) {
  for (Surface &s : surfaces) {
    if (s.bitmap != nullptr) continue;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    s.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    s.pixels = static_cast<unsigned *>(bits);
    s.width = width, s.height = height;
    return s.bitmap != nullptr ? &s : nullptr;
  }
  return nullptr;
}

// A DC on the surface's bitmap: the module's own while it holds one (a bitmap
// goes into one DC at a time), otherwise a new one.
HDC OpenDC(Surface &s) {
  if (s.dc != nullptr) return s.dc;
  HDC dc = CreateCompatibleDC(nullptr);
  s.before = SelectObject(dc, s.bitmap);
  return dc;
}

void CloseDC(Surface &s, HDC dc) {
  if (dc == s.dc) return;
  SelectObject(dc, s.before);
  DeleteDC(dc);
}

// The module draws panel pixels with a colour key meaning "leave these".
void Copy(Surface &target, int x, int y, Surface &source, int sx, int sy, int w, int h, DWORD key) {
  HDC to = OpenDC(target), from = OpenDC(source);
  if (key == SURF_NO_CK)
    BitBlt(to, x, y, w, h, from, sx, sy, SRCCOPY);
  else
    GdiTransparentBlt(to, x, y, w, h, from, sx, sy, w, h, key);
  CloseDC(source, from);
  CloseDC(target, to);
}

}  // namespace

const unsigned *SurfacePixels(SURFHANDLE surface, int *count) {
  Surface *s = Find(surface);
  *count = s != nullptr ? s->width * s->height : 0;
  return s != nullptr ? s->pixels : nullptr;
}

void MapBackground(const PanelArea &area) {
  Surface *target = Find(area.surface), *background = Find(panel.background);
  if (target != nullptr && background != nullptr)
    Copy(*target, 0, 0, *background, area.rect.left, area.rect.top, target->width, target->height, SURF_NO_CK);
}

SURFHANDLE oapiCreateSurface(int width, int height) { return NewSurface(width, height); }

SURFHANDLE oapiCreateSurface(HBITMAP hBmp, bool release_bmp) {
  BITMAP size;
  if (GetObjectA(hBmp, sizeof size, &size) == 0) return nullptr;
  Surface *s = NewSurface(size.bmWidth, size.bmHeight);
  if (s != nullptr) {
    HDC to = OpenDC(*s), from = CreateCompatibleDC(nullptr);
    HGDIOBJ before = SelectObject(from, hBmp);
    BitBlt(to, 0, 0, s->width, s->height, from, 0, 0, SRCCOPY);
    SelectObject(from, before);
    DeleteDC(from);
    CloseDC(*s, to);
  }
  if (release_bmp) DeleteObject(hBmp);
  return s;
}

void oapiDestroySurface(SURFHANDLE surf) {
  Surface *s = Find(surf);
  if (s == nullptr) return;
  if (s->dc != nullptr) oapiReleaseDC(surf, s->dc);
  DeleteObject(s->bitmap);
  *s = {};
}

HDC oapiGetDC(SURFHANDLE surf) {
  Surface *s = Find(surf);
  if (s == nullptr) return nullptr;
  s->dc = OpenDC(*s);
  return s->dc;
}

void oapiReleaseDC(SURFHANDLE surf, HDC hDC) {
  Surface *s = Find(surf);
  if (s == nullptr || hDC != s->dc) return;
  s->dc = nullptr;
  CloseDC(*s, hDC);
}

void oapiBlt(SURFHANDLE tgt, SURFHANDLE src, int tgtx, int tgty, int srcx, int srcy, int w, int h, DWORD ck) {
  Surface *target = Find(tgt), *source = Find(src);
  if (target != nullptr && source != nullptr) Copy(*target, tgtx, tgty, *source, srcx, srcy, w, h, ck);
}

// The panel the module describes in clbkLoadPanel.

void oapiRegisterPanelBackground(HBITMAP hBmp, DWORD, DWORD) { panel.background = oapiCreateSurface(hBmp, true); }

void oapiRegisterPanelArea(int id, const RECT &pos, int draw_event, int mouse_event, int bkmode) {
  if (panel.areaCount == 64) return;
  SURFHANDLE surface = oapiCreateSurface(pos.right - pos.left, pos.bottom - pos.top);
  panel.areas[panel.areaCount++] = {id, pos, draw_event, mouse_event, bkmode, surface};
}

// Neighbours, redraw requests and MFDs: taken, and never shown.
void oapiSetPanelNeighbours(int, int, int, int) {}
void oapiTriggerPanelRedrawArea(int, int) {}
void oapiRegisterMFD(int, const MFDSPEC &) {}
const char *oapiMFDButtonLabel(int, int) { return nullptr; }
bool oapiProcessMFDButton(int, int, int) { return false; }
int oapiSendMFDKey(int, DWORD) { return 0; }
void oapiToggleMFD_on(int) {}
