#include <gtest/gtest.h>

#include "GdiTestSupport.h"

namespace {

using gditest::ReadPng;
using gditest::ScratchFolder;

}  // namespace

TEST(CanvasPng, AWrittenImageReadsBackAsTheSameRgbPixels) {
  ScratchFolder scratch;
  HBITMAP bitmap = wincanvas::createBitmap(3, 2);
  const uint32_t colours[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x000000};
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(wincanvas::setPixel(bitmap, i % 3, i / 3, colours[i]));
  std::string error;
  ASSERT_TRUE(wincanvas::writePng(bitmap, scratch.file("out.png"), error)) << error;
  const gditest::PngImage image = ReadPng(scratch.file("out.png"));
  ASSERT_TRUE(image.ok);
  EXPECT_FALSE(image.hasAlpha);
  EXPECT_EQ(image.width, 3);
  EXPECT_EQ(image.height, 2);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(image.at(i % 3, i / 3), colours[i]) << i;
  DeleteObject(bitmap);
}

TEST(CanvasPng, UnwritablePathsAndNonBitmapsGiveAReason) {
  HBITMAP bitmap = wincanvas::createBitmap(1, 1);
  std::string error;
  EXPECT_FALSE(wincanvas::writePng(bitmap, "/nonexistent-folder/x.png", error));
  EXPECT_FALSE(error.empty());
  error.clear();
  EXPECT_FALSE(wincanvas::writePng(nullptr, "x.png", error));
  EXPECT_FALSE(error.empty());
  DeleteObject(bitmap);
}

TEST(CanvasCopy, KeyedCopiesSkipTheKeyAndClipToBothBitmaps) {
  HBITMAP src = wincanvas::createBitmap(4, 4);
  HBITMAP dst = wincanvas::createBitmap(5, 5);
  wincanvas::fill(src, 0x00FF00);
  wincanvas::setPixel(src, 1, 1, 0xFF00FF);  // the key
  wincanvas::fill(dst, 0x0000FF);
  EXPECT_TRUE(wincanvas::copy(dst, 2, 2, src, 0, 0, 4, 4, 0xFF00FF));
  EXPECT_EQ(wincanvas::pixel(dst, 2, 2), 0x00FF00u);
  EXPECT_EQ(wincanvas::pixel(dst, 3, 3), 0x0000FFu);  // keyed out
  EXPECT_EQ(wincanvas::pixel(dst, 4, 4), 0x00FF00u);
  EXPECT_EQ(wincanvas::pixel(dst, 1, 1), 0x0000FFu);
  // Within one bitmap, overlapping blocks move as if read first.
  for (int x = 0; x < 5; ++x) wincanvas::setPixel(dst, x, 0, static_cast<uint32_t>(x));
  EXPECT_TRUE(wincanvas::copy(dst, 1, 0, dst, 0, 0, 4, 1));
  for (int x = 1; x < 5; ++x) EXPECT_EQ(wincanvas::pixel(dst, x, 0), static_cast<uint32_t>(x - 1));
  EXPECT_TRUE(wincanvas::copy(dst, INT32_MIN, INT32_MAX, src, INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX));
  EXPECT_FALSE(wincanvas::copy(dst, 0, 0, nullptr, 0, 0, 1, 1));
  EXPECT_EQ(wincanvas::row(dst, 5), nullptr);
  EXPECT_FALSE(wincanvas::setPixel(dst, -1, 0, 0));
  EXPECT_EQ(wincanvas::createBitmap(0, 5), nullptr);
  EXPECT_EQ(wincanvas::createBitmap(16385, 1), nullptr);
  DeleteObject(src);
  DeleteObject(dst);
}
