#include "panels/instruments/DrawingResources.h"

#include <initializer_list>

namespace {

template <typename T, int N>
T Entry(T const (&table)[N], int32_t index) {
  return index > 0 && index < N ? table[index] : nullptr;
}

HBITMAP LoadBitmapFile(const char *fileName) {
  return static_cast<HBITMAP>(LoadImageA(nullptr, fileName, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

}  // namespace

DrawingResources::~DrawingResources() {
  if (standardSetMade) {
    for (HGDIOBJ object : {HGDIOBJ(nullPen), HGDIOBJ(bluePen), HGDIOBJ(greenPen), HGDIOBJ(blackBrush),
                           HGDIOBJ(whiteBrush), HGDIOBJ(greyBrush), HGDIOBJ(darkGreyPen)})
      DeleteObject(object);
  }
  for (int i = 1; i <= surfaceCount && i < kMaxSurfaces; ++i)
    if (surfaces[i] != nullptr) oapiDestroySurface(surfaces[i]);
  for (int i = 1; i <= fontCount && i < kMaxFonts; ++i)
    if (fonts[i] != nullptr) DeleteObject(fonts[i]);
  for (int i = 1; i <= penCount && i < kMaxPens; ++i)
    if (pens[i] != nullptr) DeleteObject(pens[i]);
}

// Whether the bitmap loads is learnt now (a class counts on 0 for one that
// does not); its pixels are kept only once a panel first draws it, so a
// vessel whose panels are never shown (one of a fleet) holds none.
int32_t DrawingResources::AddSurface(const char *fileName) {
  if (surfaceCount + 1 >= kMaxSurfaces) return 0;
  const int32_t index = ++surfaceCount;
  HBITMAP bitmap = LoadBitmapFile(fileName);
  if (bitmap == nullptr) return 0;
  DeleteObject(bitmap);
  surfaceFiles[index] = fileName;
  return index;
}

int32_t DrawingResources::AddFont(const char *face, int height) {
  if (fontCount + 1 >= kMaxFonts) return 0;
  const int32_t index = ++fontCount;
  fonts[index] = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 6, CLIP_DEFAULT_PRECIS,
                             PROOF_QUALITY, DEFAULT_PITCH, face);
  return fonts[index] != nullptr ? index : 0;
}

int32_t DrawingResources::AddPen(int red, int green, int blue) {
  if (penCount + 1 >= kMaxPens) return 0;
  const int32_t index = ++penCount;
  pens[index] = CreatePen(PS_SOLID, 1, RGB(red & 0xFF, green & 0xFF, blue & 0xFF));
  return index;
}

void DrawingResources::CreateStandardSet() {
  if (standardSetMade) return;
  nullPen = CreatePen(PS_NULL, 1, 0);
  bluePen = CreatePen(PS_SOLID, 1, RGB(0, 95, 235));
  greenPen = CreatePen(PS_SOLID, 1, RGB(0, 255, 0));
  blackBrush = CreateSolidBrush(0);
  whiteBrush = CreateSolidBrush(RGB(255, 255, 255));
  greyBrush = CreateSolidBrush(RGB(200, 200, 200));
  darkGreyPen = CreatePen(PS_SOLID, 1, RGB(90, 90, 90));
  standardSetMade = true;
}

SURFHANDLE DrawingResources::Surface(int32_t index) const {
  if (index <= 0 || index >= kMaxSurfaces) return nullptr;
  if (surfaces[index] == nullptr && !surfaceFiles[index].empty()) {
    if (HBITMAP bitmap = LoadBitmapFile(surfaceFiles[index].c_str())) surfaces[index] = oapiCreateSurface(bitmap, true);
    surfaceFiles[index].clear();
  }
  return surfaces[index];
}
HFONT DrawingResources::Font(int32_t index) const { return Entry(fonts, index); }
HPEN DrawingResources::Pen(int32_t index) const { return Entry(pens, index); }
