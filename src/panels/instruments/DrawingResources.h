// The host surfaces, fonts and pens that instrument classes need, declared
// when the class files are read and shared by index by every panel and
// instrument of the vessel; a surface's pixels are loaded when first drawn.
#pragma once

#include <cstdint>
#include <string>

#include <Orbitersdk.h>

constexpr int kMaxSurfaces = 50;  // entries 1 to 49; 0 means none
constexpr int kMaxFonts = 10;
constexpr int kMaxPens = 10;

class DrawingResources {
 public:
  DrawingResources() = default;
  DrawingResources(const DrawingResources &) = delete;
  DrawingResources &operator=(const DrawingResources &) = delete;
  ~DrawingResources();

  // Each returns the new entry's index, or 0 when nothing was made. The count
  // advances for a bitmap that fails to load, as class files count on it; a
  // full table makes nothing.
  int32_t AddSurface(const char *fileName);
  int32_t AddFont(const char *face, int height);
  int32_t AddPen(int red, int green, int blue);
  // The standard brushes and pens, once.
  void CreateStandardSet();

  SURFHANDLE Surface(int32_t index) const;
  HFONT Font(int32_t index) const;
  HPEN Pen(int32_t index) const;

  HBRUSH blackBrush = nullptr;
  HBRUSH whiteBrush = nullptr;
  HBRUSH greyBrush = nullptr;
  HPEN nullPen = nullptr;
  HPEN bluePen = nullptr;
  HPEN darkGreyPen = nullptr;
  HPEN greenPen = nullptr;
  bool standardSetMade = false;
  int32_t surfaceCount = 0;
  int32_t fontCount = 0;
  int32_t penCount = 0;

 private:
  // A surface is made from its file when first asked for.
  mutable SURFHANDLE surfaces[kMaxSurfaces] = {};
  mutable std::string surfaceFiles[kMaxSurfaces];
  HFONT fonts[kMaxFonts] = {};
  HPEN pens[kMaxPens] = {};
};
