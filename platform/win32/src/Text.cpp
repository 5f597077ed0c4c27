// Fonts and TextOutA: faces found through fontconfig, glyphs rendered by
// FreeType in monochrome (GDI draws panel text without smoothing), measured
// the way GDI measures a font: a cell of ascent plus descent.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <strings.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include "GdiObjects.h"

namespace win32 {

namespace {

// A cell height for a font created with height 0.
constexpr int kDefaultCellHeight = 16;
// Past this a glyph would not fit any bitmap anyway.
constexpr int kMaxFontPixels = 2048;

struct Glyph {
  bool loaded = false;
  int advance = 0;
  int left = 0;  // from the pen position to the bitmap's first column
  int top = 0;   // from the baseline up to the bitmap's first row
  int width = 0;
  int rows = 0;
  int pitch = 0;
  std::vector<uint8_t> bits;  // one bit a pixel, first row first
};

}  // namespace

// One face at one pixel size, with the glyphs it has drawn so far.
class FaceSize {
 public:
  FaceSize(FT_Face f, FT_Size s, int asc, int desc) : face(f), size(s), ascent(asc), descent(desc) {}
  const Glyph &glyph(unsigned char code);

  FT_Face face;
  FT_Size size;
  int ascent;
  int descent;

 private:
  std::array<Glyph, 256> glyphs;
};

namespace {

// Windows-1252, the code page of the text the module passes: only 0x80..0x9F
// differ from Unicode's first 256 code points.
FT_ULong UnicodeOf(unsigned char code) {
  static const uint16_t high[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                    0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
  return code >= 0x80 && code < 0xA0 ? high[code - 0x80] : code;
}

class FontEngine {
 public:
  std::mutex lock;

  FaceSize *resolve(const Font &font);

 private:
  bool start();
  bool findFace(const std::string &family, bool bold, bool italic, std::string &file, int &index);
  FT_Face openFace(const std::string &file, int index);

  bool started = false;
  bool usable = false;
  FT_Library library = nullptr;
  std::map<std::string, FT_Face> faces;                            // by "file#index"
  std::map<std::tuple<std::string, bool, bool>, FT_Face> matches;  // by request
  std::map<std::pair<FT_Face, int>, std::unique_ptr<FaceSize>> sizes;
};

FontEngine &engine() {
  static auto *instance = new FontEngine();
  return *instance;
}

bool FontEngine::start() {
  if (started) return usable;
  started = true;
  if (FcInit() != FcTrue) return false;
  // fontconfig keeps its configuration until told to let go; the leak
  // checker would count it otherwise.
  std::atexit(FcFini);
  usable = FT_Init_FreeType(&library) == 0;
  return usable;
}

bool FontEngine::findFace(const std::string &family, bool bold, bool italic, std::string &file, int &index) {
  FcPattern *pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern *match = FcFontMatch(nullptr, pattern, &result);
  bool found = false;
  if (match != nullptr) {
    FcChar8 *path = nullptr;
    int faceIndex = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr) {
      if (FcPatternGetInteger(match, FC_INDEX, 0, &faceIndex) != FcResultMatch) faceIndex = 0;
      file = reinterpret_cast<const char *>(path);
      index = faceIndex;
      found = true;
    }
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return found;
}

FT_Face FontEngine::openFace(const std::string &file, int index) {
  const std::string key = file + "#" + std::to_string(index);
  auto known = faces.find(key);
  if (known != faces.end()) return known->second;
  FT_Face face = nullptr;
  if (FT_New_Face(library, file.c_str(), index, &face) != 0) face = nullptr;
  // Panels need outlines to size freely; a bitmap-only face is no use.
  if (face != nullptr && !FT_IS_SCALABLE(face)) {
    FT_Done_Face(face);
    face = nullptr;
  }
  faces[key] = face;
  return face;
}

FaceSize *FontEngine::resolve(const Font &font) {
  if (!start()) return nullptr;
  const bool bold = font.weight >= FW_BOLD;
  const std::string family = font.face[0] != '\0' ? font.face : "sans-serif";
  const auto request = std::make_tuple(family, bold, font.italic);
  auto matched = matches.find(request);
  FT_Face face = nullptr;
  if (matched != matches.end()) {
    face = matched->second;
  } else {
    // The named family, else whatever sans face is installed.
    std::string file;
    int index = 0;
    if (findFace(family, bold, font.italic, file, index)) face = openFace(file, index);
    if (face == nullptr && findFace("sans-serif", bold, font.italic, file, index)) face = openFace(file, index);
    matches[request] = face;
  }
  if (face == nullptr) return nullptr;

  // GDI's cell is the face's Windows ascent plus descent; a positive height
  // asks for that cell, a negative one for the em square.
  const double unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 1000.0;
  double ascender = face->ascender, descender = -face->descender;
  if (auto *os2 = static_cast<TT_OS2 *>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
    if (os2->usWinAscent + os2->usWinDescent > 0) {
      ascender = os2->usWinAscent;
      descender = os2->usWinDescent;
    }
  }
  if (ascender + descender <= 0) {
    ascender = unitsPerEm * 0.8;
    descender = unitsPerEm * 0.2;
  }
  const long long requested = font.height == 0 ? kDefaultCellHeight : font.height;
  const double cell = requested > 0 ? static_cast<double>(requested) : -requested * (ascender + descender) / unitsPerEm;
  const int em = static_cast<int>(
      std::lround(std::min<double>(requested > 0 ? requested * unitsPerEm / (ascender + descender) : -requested,
                                   kMaxFontPixels)));
  const int pixels = std::max(em, 1);
  auto &entry = sizes[{face, pixels}];
  if (!entry) {
    FT_Size size = nullptr;
    if (FT_New_Size(face, &size) != 0) return nullptr;
    FT_Activate_Size(size);
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) != 0) {
      FT_Done_Size(size);
      return nullptr;
    }
    const int ascent = static_cast<int>(std::lround(ascender * pixels / unitsPerEm));
    const int cellHeight = static_cast<int>(std::lround(std::min<double>(cell, kMaxFontPixels * 2)));
    const int descent = requested > 0 ? std::max(cellHeight - ascent, 0)
                                      : static_cast<int>(std::lround(descender * pixels / unitsPerEm));
    entry = std::make_unique<FaceSize>(face, size, ascent, descent);
  }
  return entry.get();
}

}  // namespace

const Glyph &FaceSize::glyph(unsigned char code) {
  Glyph &g = glyphs[code];
  if (g.loaded) return g;
  g.loaded = true;
  FT_Activate_Size(size);
  if (FT_Load_Char(face, UnicodeOf(code), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return g;
  const FT_GlyphSlot slot = face->glyph;
  g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  const FT_Bitmap &bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO || bitmap.buffer == nullptr) return g;
  g.left = slot->bitmap_left;
  g.top = slot->bitmap_top;
  g.width = static_cast<int>(bitmap.width);
  g.rows = static_cast<int>(bitmap.rows);
  g.pitch = std::abs(bitmap.pitch);
  g.bits.resize(static_cast<size_t>(g.pitch) * g.rows);
  for (int r = 0; r < g.rows; ++r) {
    // A negative pitch means FreeType keeps the bottom row first.
    const int source = bitmap.pitch < 0 ? g.rows - 1 - r : r;
    std::memcpy(g.bits.data() + static_cast<size_t>(r) * g.pitch, bitmap.buffer + static_cast<size_t>(source) * g.pitch,
                static_cast<size_t>(g.pitch));
  }
  return g;
}

}  // namespace win32

using namespace win32;

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCSTR faceName) {
  auto *font = new Font();
  font->height = height;
  font->weight = weight;
  font->italic = italic != 0;
  if (faceName != nullptr) {
    // As LOGFONT's face name: 31 characters at most.
    std::strncpy(font->face, faceName, sizeof font->face - 1);
    font->face[sizeof font->face - 1] = '\0';
  }
  Register(font);
  return reinterpret_cast<HFONT>(font);
}

namespace {

// The font of the DC, ready to draw; null (last error set) when no face can
// be found. Called with the engine's lock held.
FaceSize *FaceOf(DeviceContext &dc) {
  Font &font = *dc.font;
  if (font.resolved == nullptr) font.resolved = engine().resolve(font);
  if (font.resolved == nullptr) SetError(ERROR_FILE_NOT_FOUND);
  return font.resolved;
}

long long Advance(FaceSize &face, const unsigned char *chars, int length) {
  long long width = 0;
  for (int i = 0; i < length; ++i) width += face.glyph(chars[i]).advance;
  return width;
}

}  // namespace

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int length, SIZE *size) {
  DeviceContext *dc = LookupDC(hdc);
  if (dc == nullptr || text == nullptr || length < 0 || size == nullptr) {
    SetError(dc == nullptr ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard<std::mutex> guard(engine().lock);
  FaceSize *face = FaceOf(*dc);
  if (face == nullptr) return FALSE;
  const long long width = Advance(*face, reinterpret_cast<const unsigned char *>(text), length);
  size->cx = static_cast<LONG>(std::min<long long>(width, INT32_MAX));
  size->cy = face->ascent + face->descent;
  return TRUE;
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int length) {
  DeviceContext *dc = LookupDC(hdc);
  if (dc == nullptr || text == nullptr || length < 0) {
    SetError(dc == nullptr ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard<std::mutex> guard(engine().lock);
  FaceSize *face = FaceOf(*dc);
  if (face == nullptr) return FALSE;
  const auto *chars = reinterpret_cast<const unsigned char *>(text);
  const long long width = Advance(*face, chars, length);

  const UINT align = dc->textAlign;
  const bool updateCP = (align & TA_UPDATECP) != 0;
  const long long anchorX = updateCP ? dc->position.x : x;
  const long long anchorY = updateCP ? dc->position.y : y;
  long long left = anchorX;
  if ((align & TA_CENTER) == TA_CENTER) {
    left = anchorX - width / 2;
  } else if ((align & TA_CENTER) == TA_RIGHT) {
    left = anchorX - width;
  }
  long long baseline = anchorY + face->ascent;
  if ((align & TA_BASELINE) == TA_BASELINE) {
    baseline = anchorY;
  } else if ((align & TA_BASELINE) == TA_BOTTOM) {
    baseline = anchorY - face->descent;
  }
  if (updateCP) {
    // The current position moves past the text on the side it grows towards.
    if ((align & TA_CENTER) == TA_LEFT) dc->position.x = static_cast<LONG>(left + width);
    if ((align & TA_CENTER) == TA_RIGHT) dc->position.x = static_cast<LONG>(left);
  }

  Bitmap &bitmap = *dc->bitmap;
  if (dc->bkMode == OPAQUE)
    FillRect(bitmap, left, baseline - face->ascent, left + width, baseline + face->descent, PixelOf(dc->bkColor));
  const uint32_t ink = PixelOf(dc->textColor);
  long long pen = left;
  for (int i = 0; i < length && pen < bitmap.width; ++i) {
    const Glyph &g = face->glyph(chars[i]);
    const long long gx = pen + g.left, gy = baseline - g.top;
    for (int r = 0; r < g.rows; ++r) {
      const long long py = gy + r;
      if (py < 0 || py >= bitmap.height) continue;
      const uint8_t *bits = g.bits.data() + static_cast<size_t>(r) * g.pitch;
      uint32_t *out = bitmap.row(static_cast<int>(py));
      for (int c = 0; c < g.width; ++c) {
        const long long px = gx + c;
        if (px >= 0 && px < bitmap.width && (bits[c >> 3] & (0x80 >> (c & 7))) != 0) out[px] = ink;
      }
    }
    pen += g.advance;
  }
  return TRUE;
}
