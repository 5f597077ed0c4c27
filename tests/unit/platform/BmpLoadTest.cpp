#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "GdiTestSupport.h"

namespace {

using gditest::ScratchFolder;
using gditest::WriteFile;

void Put16(std::vector<uint8_t> &b, size_t at, uint32_t v) {
  b[at] = v & 0xFF;
  b[at + 1] = (v >> 8) & 0xFF;
}
void Put32(std::vector<uint8_t> &b, size_t at, uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

// A BMP file with a 40-byte info header. `values` are the pixels top row
// first: colours 0x00RRGGBB for 24 and 32 bits, palette indices below.
std::vector<uint8_t> MakeBmp(int width, int height, int bits, const std::vector<uint32_t> &values,
                             const std::vector<uint32_t> &palette = {}) {
  const int rows = height < 0 ? -height : height;
  const size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
  const size_t offset = 14 + 40 + palette.size() * 4;
  std::vector<uint8_t> b(offset + stride * rows, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<uint32_t>(b.size()));
  Put32(b, 10, static_cast<uint32_t>(offset));
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<uint32_t>(width));
  Put32(b, 22, static_cast<uint32_t>(height));
  Put16(b, 26, 1);
  Put16(b, 28, static_cast<uint32_t>(bits));
  Put32(b, 46, static_cast<uint32_t>(palette.size()));
  for (size_t i = 0; i < palette.size(); ++i) Put32(b, 54 + 4 * i, palette[i]);
  for (int fileRow = 0; fileRow < rows; ++fileRow) {
    const int y = height > 0 ? rows - 1 - fileRow : fileRow;
    uint8_t *row = b.data() + offset + stride * fileRow;
    for (int x = 0; x < width; ++x) {
      const uint32_t v = values[static_cast<size_t>(y) * width + x];
      switch (bits) {
        case 32:
          row[4 * x + 3] = 0xAA;  // the unused byte: must not show
          [[fallthrough]];
        case 24: {
          const int size = bits / 8;
          row[size * x] = v & 0xFF;
          row[size * x + 1] = (v >> 8) & 0xFF;
          row[size * x + 2] = (v >> 16) & 0xFF;
          break;
        }
        case 8:
          row[x] = static_cast<uint8_t>(v);
          break;
        case 4:
          row[x / 2] |= static_cast<uint8_t>(v << (x % 2 == 0 ? 4 : 0));
          break;
        case 1:
          row[x / 8] |= static_cast<uint8_t>(v << (7 - x % 8));
          break;
      }
    }
  }
  return b;
}

std::vector<uint32_t> Colours(int count) {
  std::vector<uint32_t> v;
  for (int i = 0; i < count; ++i) v.push_back(0x010203u * (i + 1) ^ (0x400000u * (i % 3)));
  return v;
}

class BmpLoad : public ::testing::Test {
 protected:
  // Loads the file the Windows way, through a folder whose case differs.
  HBITMAP Load(const std::vector<uint8_t> &file) {
    std::filesystem::create_directories(scratch.file("bitmaps"));
    WriteFile(scratch.file("bitmaps/panel.bmp"), file);
    const std::string windowsName = scratch.path + "\\Bitmaps\\PANEL.BMP";
    return static_cast<HBITMAP>(LoadImageA(nullptr, windowsName.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  }
  void ExpectPixels(HBITMAP bitmap, int width, int height, const std::vector<uint32_t> &expected) {
    ASSERT_NE(bitmap, nullptr);
    BITMAP info;
    ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, width);
    EXPECT_EQ(info.bmHeight, height);
    EXPECT_EQ(info.bmBitsPixel, 32);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        EXPECT_EQ(wincanvas::pixel(bitmap, x, y), expected[static_cast<size_t>(y) * width + x]) << x << "," << y;
    EXPECT_TRUE(DeleteObject(bitmap));
  }
  ScratchFolder scratch;
};

}  // namespace

TEST_F(BmpLoad, TwentyFourBitRowsArePaddedAndStoredBottomUpOrTopDown) {
  const std::vector<uint32_t> colours = Colours(5 * 3);  // 15 bytes a row: one byte of padding
  ExpectPixels(Load(MakeBmp(5, 3, 24, colours)), 5, 3, colours);
  ExpectPixels(Load(MakeBmp(5, -3, 24, colours)), 5, 3, colours);
}

TEST_F(BmpLoad, ThirtyTwoBitPixelsIgnoreTheirFourthByte) {
  const std::vector<uint32_t> colours = Colours(3 * 2);
  ExpectPixels(Load(MakeBmp(3, 2, 32, colours)), 3, 2, colours);
  ExpectPixels(Load(MakeBmp(3, -2, 32, colours)), 3, 2, colours);
}

TEST_F(BmpLoad, PalettisedPixelsTakeTheirPaletteColourAndUnknownIndicesAreBlack) {
  const std::vector<uint32_t> palette = {0x112233, 0xFF8000, 0x00FF7F};
  const std::vector<uint32_t> indices = {0, 1, 2, 1, 0, 2, 2, 200, 1, 0};  // 200: past the palette
  std::vector<uint32_t> expected;
  for (uint32_t i : indices) expected.push_back(i < palette.size() ? palette[i] : 0u);
  ExpectPixels(Load(MakeBmp(5, 2, 8, indices, palette)), 5, 2, expected);

  const std::vector<uint32_t> nibbles = {2, 0, 1, 1, 2, 0};
  std::vector<uint32_t> fromNibbles;
  for (uint32_t i : nibbles) fromNibbles.push_back(palette[i]);
  ExpectPixels(Load(MakeBmp(3, -2, 4, nibbles, palette)), 3, 2, fromNibbles);

  const std::vector<uint32_t> twoColours = {0x000000, 0xFFFFFF};
  const std::vector<uint32_t> bits = {1, 0, 0, 1, 1, 1, 0, 1, 1};  // nine: into a second byte
  std::vector<uint32_t> fromBits;
  for (uint32_t i : bits) fromBits.push_back(twoColours[i]);
  ExpectPixels(Load(MakeBmp(9, 1, 1, bits, twoColours)), 9, 1, fromBits);
}

TEST_F(BmpLoad, EveryTruncationOfAFileGivesNull) {
  const std::vector<uint8_t> good = MakeBmp(5, 3, 24, Colours(15));
  for (size_t length = 0; length < good.size(); ++length) {
    EXPECT_EQ(Load(std::vector<uint8_t>(good.begin(), good.begin() + length)), nullptr) << length;
  }
  const std::vector<uint8_t> palettised = MakeBmp(4, 1, 8, {0, 1, 2, 3}, Colours(4));
  for (size_t length = 14; length < palettised.size(); length += 3)
    EXPECT_EQ(Load(std::vector<uint8_t>(palettised.begin(), palettised.begin() + length)), nullptr) << length;
}

TEST_F(BmpLoad, MalformedHeadersGiveNull) {
  const std::vector<uint8_t> good = MakeBmp(5, 3, 24, Colours(15));
  struct Damage {
    const char *what;
    size_t at;
    uint32_t value;
    bool wide;
  };
  const Damage damages[] = {
      {"magic", 0, 'X', false},
      {"zero width", 18, 0, true},
      {"negative width", 18, static_cast<uint32_t>(-5), true},
      {"zero height", 22, 0, true},
      {"most negative height", 22, static_cast<uint32_t>(INT32_MIN), true},
      {"width past the cap", 18, 100000, true},
      {"seven bits a pixel", 28, 7, false},
      {"run-length compressed", 30, 1, true},
      {"pixels past the end", 10, 0xFFFFFFF0u, true},
      {"info header past the end", 14, 0x7FFFFFFF, true},
      {"info header too small", 14, 20, true},
  };
  for (const Damage &d : damages) {
    std::vector<uint8_t> file = good;
    if (d.wide) {
      Put32(file, d.at, d.value);
    } else {
      Put16(file, d.at, d.value);
    }
    EXPECT_EQ(Load(file), nullptr) << d.what;
  }
  // A palette that claims more entries than the file holds.
  std::vector<uint8_t> palettised = MakeBmp(4, 1, 8, {0, 1, 2, 3}, Colours(4));
  Put32(palettised, 46, 256);
  EXPECT_EQ(Load(palettised), nullptr);
}

TEST_F(BmpLoad, MissingFilesAndOtherRequestsGiveNullWithAReason) {
  SetLastError(0);
  EXPECT_EQ(LoadImageA(nullptr, scratch.file("none.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  WriteFile(scratch.file("ok.bmp"), MakeBmp(1, 1, 24, {0xFFFFFF}));
  EXPECT_EQ(LoadImageA(nullptr, scratch.file("ok.bmp").c_str(), IMAGE_BITMAP, 0, 0, 0), nullptr);  // a resource
  EXPECT_EQ(LoadImageA(nullptr, nullptr, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
}

TEST_F(BmpLoad, ARequestedSizeResamplesTheImage) {
  const std::vector<uint32_t> colours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  WriteFile(scratch.file("four.bmp"), MakeBmp(2, 2, 24, colours));
  auto *bitmap =
      static_cast<HBITMAP>(LoadImageA(nullptr, scratch.file("four.bmp").c_str(), IMAGE_BITMAP, 4, 6, LR_LOADFROMFILE));
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(wincanvas::width(bitmap), 4);
  EXPECT_EQ(wincanvas::height(bitmap), 6);
  EXPECT_EQ(wincanvas::pixel(bitmap, 1, 2), 0xFF0000u);
  EXPECT_EQ(wincanvas::pixel(bitmap, 3, 5), 0xFFFFFFu);
  DeleteObject(bitmap);
}
