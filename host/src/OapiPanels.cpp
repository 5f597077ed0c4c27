// The oapi functions for panels and surfaces: registrations go to the
// running simulation's panel host, surfaces are host objects over bitmaps of
// the Win32 stand-in.
#include "PanelHost.h"
#include "Simulation.h"
#include "Surface.h"
#include "wincanvas.h"

using host::runningPanels;
using host::Surface;

void oapiRegisterPanelBackground(HBITMAP hBmp, DWORD flag, DWORD ck) {
  if (host::PanelHost *host = runningPanels()) {
    host->registerBackground(hBmp, flag, ck);
  } else if (hBmp != nullptr) {
    DeleteObject(hBmp);  // taken all the same: nobody else frees it
  }
}

void oapiSetPanelNeighbours(int left, int right, int top, int bottom) {
  if (host::PanelHost *host = runningPanels()) host->setNeighbours(left, right, top, bottom);
}

void oapiRegisterPanelArea(int id, const RECT &pos, int draw_event, int mouse_event, int bkmode) {
  if (host::PanelHost *host = runningPanels()) host->registerArea(id, pos, draw_event, mouse_event, bkmode);
}

void oapiTriggerPanelRedrawArea(int panel_id, int area_id) {
  if (host::PanelHost *host = runningPanels()) host->triggerRedraw(panel_id, area_id);
}

SURFHANDLE oapiCreateSurface(int width, int height) {
  Surface *surface = Surface::create(width, height);
  return surface != nullptr ? surface->handle() : nullptr;
}

SURFHANDLE oapiCreateSurface(HBITMAP hBmp, bool release_bmp) {
  Surface *surface = Surface::fromBitmap(hBmp, release_bmp);
  return surface != nullptr ? surface->handle() : nullptr;
}

void oapiDestroySurface(SURFHANDLE surf) {
  Surface *surface = Surface::find(surf);
  if (surface != nullptr && !surface->hostOwned) Surface::destroy(surface);
}

void oapiBlt(SURFHANDLE tgt, SURFHANDLE src, int tgtx, int tgty, int srcx, int srcy, int w, int h, DWORD ck) {
  Surface *target = Surface::find(tgt);
  Surface *source = Surface::find(src);
  if (target == nullptr || source == nullptr) return;
  target->blit(*source, tgtx, tgty, srcx, srcy, w, h, ck);
}

HDC oapiGetDC(SURFHANDLE surf) {
  Surface *surface = Surface::find(surf);
  return surface != nullptr ? surface->getDC() : nullptr;
}

void oapiReleaseDC(SURFHANDLE surf, HDC hDC) {
  if (Surface *surface = Surface::find(surf)) surface->releaseDC(hDC);
}
