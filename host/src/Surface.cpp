#include "Surface.h"

#include <unordered_set>

#include "wincanvas.h"

namespace host {

namespace {

std::unordered_set<const Surface *> &liveSurfaces() {
  static auto *live = new std::unordered_set<const Surface *>();
  return *live;
}

Surface *remember(Surface *surface) {
  liveSurfaces().insert(surface);
  surface->touch();
  return surface;
}

uint64_t lastVersion = 0;

}  // namespace

Surface *Surface::create(int width, int height) {
  HBITMAP bitmap = wincanvas::createBitmap(width, height);
  return bitmap != nullptr ? remember(new Surface(bitmap)) : nullptr;
}

Surface *Surface::fromBitmap(HBITMAP bitmap, bool releaseBitmap) {
  if (!wincanvas::isBitmap(bitmap)) return nullptr;
  const int w = wincanvas::width(bitmap), h = wincanvas::height(bitmap);
  Surface *surface = create(w, h);
  if (surface != nullptr) wincanvas::copy(surface->pixels, 0, 0, bitmap, 0, 0, w, h);
  if (surface != nullptr) surface->touch();
  if (releaseBitmap) DeleteObject(bitmap);
  return surface;
}

Surface *Surface::find(SURFHANDLE handle) {
  if (handle == nullptr) return nullptr;
  auto found = liveSurfaces().find(static_cast<const Surface *>(handle));
  return found != liveSurfaces().end() ? const_cast<Surface *>(*found) : nullptr;
}

void Surface::destroy(Surface *surface) {
  if (surface == nullptr || liveSurfaces().erase(surface) == 0) return;
  delete surface;
}

Surface::~Surface() {
  if (dc != nullptr) DeleteDC(dc);
  DeleteObject(pixels);
}

int Surface::width() const { return wincanvas::width(pixels); }
int Surface::height() const { return wincanvas::height(pixels); }

void Surface::touch() { changed = ++lastVersion; }

void Surface::blit(const Surface &source, int tgtx, int tgty, int srcx, int srcy, int w, int h, DWORD key) {
  const SurfaceBlit made{&source, source.version(), tgtx, tgty, srcx, srcy, w, h, key};
  if (recording != nullptr) recording->blits.push_back(made);
  else perform(made);
}

void Surface::perform(const SurfaceBlit &b) {
  if (find(const_cast<Surface *>(b.source)) == nullptr) return;
  wincanvas::copy(pixels, b.tgtx, b.tgty, b.source->pixels, b.srcx, b.srcy, b.w, b.h,
                  b.key == SURF_NO_CK ? wincanvas::kNoKey : b.key);
  touch();
}

void Surface::carryOut() {
  BlitRecording *done = recording;
  if (done == nullptr) return;
  recording = nullptr;
  done->carriedOut = true;
  if (done->prepare) done->prepare();
  for (const SurfaceBlit &b : done->blits) perform(b);
}

// What is drawn through a DC may change the pixels: the surface is changed
// as far as anyone comparing versions knows.
HDC Surface::getDC() {
  carryOut();
  touch();
  if (dc != nullptr) return dc;
  dc = CreateCompatibleDC(nullptr);
  bitmapBefore = SelectObject(dc, pixels);
  if (bitmapBefore == nullptr) {
    DeleteDC(dc);
    dc = nullptr;
  }
  return dc;
}

void Surface::releaseDC(HDC hdc) {
  if (hdc == nullptr || hdc != dc) return;
  touch();
  SelectObject(dc, bitmapBefore);
  DeleteDC(dc);
  dc = nullptr;
}

}  // namespace host
