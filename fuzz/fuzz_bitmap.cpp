// Fuzzed files read as panel bitmaps and as attitude-ball textures.
#include <cstddef>
#include <cstdint>

#include "FuzzRoot.h"
#include "panels/instruments/AdiInstrument.h"
#include "wincanvas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  EnterScratchRoot();
  WriteFile("fuzz.bmp", data, size);
  if (HANDLE image = LoadImageA(nullptr, "fuzz.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)) {
    HBITMAP bitmap = static_cast<HBITMAP>(image);
    wincanvas::pixel(bitmap, wincanvas::width(bitmap) - 1, wincanvas::height(bitmap) - 1);
    DeleteObject(bitmap);
  }
  int width, height;
  unsigned char *rgba = nullptr;
  if (AdiInstrument::ReadTexture("fuzz.bmp", width, height, rgba)) {
    volatile unsigned char last = rgba[static_cast<size_t>(width) * height * 4 - 1];
    (void)last;
    delete[] rgba;
  }
  return 0;
}
