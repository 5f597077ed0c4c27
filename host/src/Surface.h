// The host API's drawing surfaces: each wraps one bitmap of the Win32
// stand-in and lends out a DC to draw on it. SURFHANDLEs are Surface
// pointers, checked against the live ones before use.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "OrbiterAPI.h"

namespace host {

class Surface;

// One oapiBlt onto a surface, with the source as it was then: a surface's
// version changes with every change of its pixels.
struct SurfaceBlit {
  const Surface *source;
  uint64_t sourceVersion;
  int tgtx, tgty, srcx, srcy, w, h;
  DWORD key;
  bool operator==(const SurfaceBlit &o) const {
    return source == o.source && sourceVersion == o.sourceVersion && tgtx == o.tgtx && tgty == o.tgty &&
           srcx == o.srcx && srcy == o.srcy && w == o.w && h == o.h && key == o.key;
  }
};

// The blits a redraw makes onto a surface, kept instead of done while it
// records; `prepare` is what the surface gets before them (the background
// under its area). A DC taken on the surface carries them out at once, and
// the redraw is then done as drawn.
struct BlitRecording {
  std::vector<SurfaceBlit> blits;
  std::function<void()> prepare;
  bool carriedOut = false;
};

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

  // A copy from `source` onto this surface, or its record while recording.
  void blit(const Surface &source, int tgtx, int tgty, int srcx, int srcy, int w, int h, DWORD key);
  // Carries out a recorded blit whose source still lives.
  void perform(const SurfaceBlit &blit);
  // Unique among all surfaces, and new at every change of the pixels.
  uint64_t version() const { return changed; }
  // The pixels were changed from outside.
  void touch();
  // Blits are recorded into `into` (null: done again) from now on.
  void record(BlitRecording *into) { recording = into; }
  // A recording's preparation and blits carried out, the recording ended.
  void carryOut();

  // Surfaces of the panel host's areas: the module draws on them but does not
  // get to destroy them.
  bool hostOwned = false;

 private:
  explicit Surface(HBITMAP bitmap) : pixels(bitmap) {}
  ~Surface();
  Surface(const Surface &) = delete;
  Surface &operator=(const Surface &) = delete;

  HBITMAP pixels;
  uint64_t changed = 0;
  BlitRecording *recording = nullptr;
  HDC dc = nullptr;
  HGDIOBJ bitmapBefore = nullptr;  // what the DC held before the surface's bitmap
};

}  // namespace host
