// LoadImageA for BMP files: every header field is checked against the file
// before a byte of pixels is read, so a bad or cut file gives null, not a crash.
#include <cstdio>
#include <cstring>
#include <vector>

#include "GdiObjects.h"
#include "winpath.h"

namespace {

using win32::Bitmap;

// The whole file; empty when it cannot be read or is larger than any
// bitmap the stand-in would accept.
std::vector<uint8_t> ReadWholeFile(const char *name) {
  std::vector<uint8_t> bytes;
  FILE *file = OpenWindowsFile(name, "rb");
  if (file == nullptr) {
    win32::SetError(ERROR_FILE_NOT_FOUND);
    return bytes;
  }
  constexpr long kMaxFileSize = 4L * win32::kMaxBitmapSide * win32::kMaxBitmapSide + (1L << 20);
  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  if (size > 0 && size <= kMaxFileSize && std::fseek(file, 0, SEEK_SET) == 0) {
    bytes.resize(static_cast<size_t>(size));
    if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) bytes.clear();
  }
  std::fclose(file);
  if (bytes.empty()) win32::SetError(ERROR_INVALID_DATA);
  return bytes;
}

// Little-endian fields at checked offsets.
class Bytes {
 public:
  explicit Bytes(const std::vector<uint8_t> &data) : d(data) {}
  bool has(uint64_t offset, uint64_t length) const { return offset <= d.size() && length <= d.size() - offset; }
  uint32_t u8(size_t at) const { return d[at]; }
  uint32_t u16(size_t at) const { return d[at] | (d[at + 1] << 8); }
  uint32_t u32(size_t at) const { return u16(at) | (u16(at + 2) << 16); }
  const uint8_t *at(size_t offset) const { return d.data() + offset; }

 private:
  const std::vector<uint8_t> &d;
};

struct BmpLayout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bitCount = 0;
  size_t pixelOffset = 0;
  size_t stride = 0;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
};

bool ReadLayout(const Bytes &file, BmpLayout &bmp) {
  if (!file.has(0, 18) || file.u8(0) != 'B' || file.u8(1) != 'M') return false;
  const uint32_t infoSize = file.u32(14);
  if (!file.has(14, infoSize)) return false;
  uint32_t compression = BI_RGB, colorsUsed = 0;
  int64_t width, height;
  size_t paletteEntry;
  if (infoSize == 12) {  // the old OS/2 core header: 16-bit sizes, 3-byte palette entries
    width = file.u16(18);
    height = file.u16(20);
    bmp.bitCount = static_cast<int>(file.u16(24));
    paletteEntry = 3;
  } else if (infoSize >= 40) {
    width = static_cast<int32_t>(file.u32(18));
    height = static_cast<int32_t>(file.u32(22));
    bmp.bitCount = static_cast<int>(file.u16(28));
    compression = file.u32(30);
    colorsUsed = file.u32(46);
    paletteEntry = 4;
  } else {
    return false;
  }
  if (compression != BI_RGB) return false;
  const int depth = bmp.bitCount;
  if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32) return false;
  bmp.topDown = height < 0;
  if (height < 0) height = -height;
  if (width < 1 || height < 1 || width > win32::kMaxBitmapSide || height > win32::kMaxBitmapSide) return false;
  bmp.width = static_cast<int>(width);
  bmp.height = static_cast<int>(height);
  if (depth <= 8) {
    const uint32_t most = 1u << depth;
    const uint32_t count = colorsUsed == 0 || colorsUsed > most ? most : colorsUsed;
    const size_t start = 14 + static_cast<size_t>(infoSize);
    if (!file.has(start, static_cast<uint64_t>(count) * paletteEntry)) return false;
    for (uint32_t i = 0; i < count; ++i) {
      const size_t entry = start + i * paletteEntry;  // blue, green, red
      bmp.palette.push_back(file.u8(entry) | (file.u8(entry + 1) << 8) | (file.u8(entry + 2) << 16));
    }
  }
  bmp.pixelOffset = file.u32(10);
  bmp.stride = (static_cast<size_t>(bmp.width) * depth + 31) / 32 * 4;
  return file.has(bmp.pixelOffset, static_cast<uint64_t>(bmp.stride) * bmp.height);
}

// One row of the file into 0x00RRGGBB pixels.
void DecodeRow(const BmpLayout &bmp, const uint8_t *in, uint32_t *out) {
  const auto indexed = [&](uint32_t index) { return index < bmp.palette.size() ? bmp.palette[index] : 0u; };
  for (int x = 0; x < bmp.width; ++x) {
    switch (bmp.bitCount) {
      case 1:
        out[x] = indexed((in[x / 8] >> (7 - x % 8)) & 1u);
        break;
      case 4:
        out[x] = indexed((in[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xFu);
        break;
      case 8:
        out[x] = indexed(in[x]);
        break;
      case 16: {  // x1r5g5b5
        const uint32_t v = in[2 * x] | (in[2 * x + 1] << 8);
        const auto wide = [](uint32_t c) { return (c << 3) | (c >> 2); };
        out[x] = (wide((v >> 10) & 31u) << 16) | (wide((v >> 5) & 31u) << 8) | wide(v & 31u);
        break;
      }
      case 24:
        out[x] = in[3 * x] | (in[3 * x + 1] << 8) | (static_cast<uint32_t>(in[3 * x + 2]) << 16);
        break;
      default:  // 32: blue, green, red, unused
        out[x] = in[4 * x] | (in[4 * x + 1] << 8) | (static_cast<uint32_t>(in[4 * x + 2]) << 16);
        break;
    }
  }
}

// Nearest-pixel resampling, for a caller that asked LoadImage for a size.
Bitmap *Resized(Bitmap *source, int width, int height) {
  Bitmap *scaled = win32::NewBitmap(width, height, source->topDown);
  if (scaled != nullptr) {
    for (int y = 0; y < height; ++y) {
      const uint32_t *from = source->row(static_cast<int>(static_cast<int64_t>(y) * source->height / height));
      uint32_t *to = scaled->row(y);
      for (int x = 0; x < width; ++x) to[x] = from[static_cast<int64_t>(x) * source->width / width];
    }
  }
  DeleteObject(reinterpret_cast<HBITMAP>(source));
  return scaled;
}

}  // namespace

HANDLE LoadImageA(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad) {
  // Only files: the stand-in has no resources in modules to load from.
  if (name == nullptr || type != IMAGE_BITMAP || (fuLoad & LR_LOADFROMFILE) == 0 || cx < 0 || cy < 0) {
    win32::SetError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const std::vector<uint8_t> data = ReadWholeFile(name);
  if (data.empty()) return nullptr;
  const Bytes file(data);
  BmpLayout bmp;
  if (!ReadLayout(file, bmp)) {
    win32::SetError(ERROR_BAD_FORMAT);
    return nullptr;
  }
  // A DIB section keeps the file's row order; a plain bitmap's is its own affair.
  const bool topDown = (fuLoad & LR_CREATEDIBSECTION) == 0 || bmp.topDown;
  Bitmap *bitmap = win32::NewBitmap(bmp.width, bmp.height, topDown);
  if (bitmap == nullptr) return nullptr;
  for (int y = 0; y < bmp.height; ++y) {
    const size_t fileRow = static_cast<size_t>(bmp.topDown ? y : bmp.height - 1 - y);
    DecodeRow(bmp, file.at(bmp.pixelOffset + fileRow * bmp.stride), bitmap->row(y));
  }
  const int width = cx != 0 ? cx : bmp.width;
  const int height = cy != 0 ? cy : bmp.height;
  if (width != bmp.width || height != bmp.height) bitmap = Resized(bitmap, width, height);
  return bitmap;
}
