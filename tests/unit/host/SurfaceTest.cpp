#include <gtest/gtest.h>

#include "OrbiterAPI.h"
#include "SurfaceProbe.h"
#include "wincanvas.h"

namespace {

constexpr uint32_t kKey = 0xFF00FF, kGreen = 0x00FF00, kBlue = 0x0000FF;

// Fills [left, right) x [top, bottom): a rectangle without an outline stops
// one pixel short of its right and bottom edges.
void Fill(SURFHANDLE surf, COLORREF colour, int left, int top, int right, int bottom) {
  HDC dc = oapiGetDC(surf);
  ASSERT_NE(dc, nullptr);
  HGDIOBJ pen = SelectObject(dc, CreatePen(PS_NULL, 1, 0));
  HGDIOBJ brush = SelectObject(dc, CreateSolidBrush(colour));
  Rectangle(dc, left, top, right + 1, bottom + 1);
  DeleteObject(SelectObject(dc, pen));
  DeleteObject(SelectObject(dc, brush));
  oapiReleaseDC(surf, dc);
}

}  // namespace

TEST(Surfaces, BltSkipsColourKeyedPixelsUnlessThereIsNoKey) {
  SURFHANDLE src = oapiCreateSurface(4, 4);
  SURFHANDLE tgt = oapiCreateSurface(8, 8);
  ASSERT_NE(src, nullptr);
  Fill(src, RGB(0, 255, 0), 0, 0, 4, 4);
  Fill(src, RGB(255, 0, 255), 1, 1, 2, 2);
  Fill(tgt, RGB(0, 0, 255), 0, 0, 8, 8);
  oapiBlt(tgt, src, 2, 2, 0, 0, 4, 4, kKey);
  EXPECT_EQ(PixelOf(tgt, 2, 2), kGreen);
  EXPECT_EQ(PixelOf(tgt, 3, 3), kBlue);
  EXPECT_EQ(PixelOf(tgt, 5, 5), kGreen);
  EXPECT_EQ(PixelOf(tgt, 6, 6), kBlue);
  oapiBlt(tgt, src, 2, 2, 0, 0, 4, 4);
  EXPECT_EQ(PixelOf(tgt, 3, 3), kKey);
  // Clipped to both surfaces: the source's (2, 2) lands at the target's (0, 0).
  oapiBlt(tgt, src, -2, -2, 0, 0, 100, 100, SURF_NO_CK);
  EXPECT_EQ(PixelOf(tgt, 0, 0), kGreen);
  EXPECT_EQ(PixelOf(tgt, 1, 1), kGreen);
  EXPECT_EQ(PixelOf(tgt, 2, 0), kBlue);  // would come from past the source's edge
  oapiDestroySurface(src);
  oapiDestroySurface(tgt);
}

TEST(Surfaces, UnknownAndNullHandlesDoNothing) {
  int notASurface = 0;
  SURFHANDLE tgt = oapiCreateSurface(2, 2);
  oapiBlt(tgt, nullptr, 0, 0, 0, 0, 2, 2);
  oapiBlt(nullptr, tgt, 0, 0, 0, 0, 2, 2);
  oapiBlt(tgt, &notASurface, 0, 0, 0, 0, 2, 2);
  EXPECT_EQ(oapiGetDC(nullptr), nullptr);
  EXPECT_EQ(oapiGetDC(&notASurface), nullptr);
  oapiReleaseDC(&notASurface, nullptr);
  oapiDestroySurface(nullptr);
  oapiDestroySurface(&notASurface);
  EXPECT_EQ(oapiCreateSurface(0, 10), nullptr);
  EXPECT_EQ(oapiCreateSurface(static_cast<HBITMAP>(nullptr)), nullptr);
  oapiDestroySurface(tgt);
  EXPECT_EQ(oapiGetDC(tgt), nullptr);  // destroyed: unknown from now on
}

TEST(Surfaces, TheDcIsLentUntilReleasedAndDrawsOnTheSurface) {
  SURFHANDLE surf = oapiCreateSurface(3, 3);
  HDC dc = oapiGetDC(surf);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(oapiGetDC(surf), dc);
  Fill(surf, RGB(0, 255, 0), 1, 1, 2, 2);  // gets and releases the same DC
  EXPECT_EQ(PixelOf(surf, 1, 1), kGreen);
  EXPECT_EQ(PixelOf(surf, 0, 0), 0u);  // a new surface is black
  // Destroying a surface whose DC is out frees both.
  HDC again = oapiGetDC(surf);
  oapiDestroySurface(surf);
  EXPECT_FALSE(DeleteDC(again));
}

TEST(Surfaces, ASurfaceFromABitmapCopiesItAndFreesItWhenAsked) {
  HBITMAP bitmap = wincanvas::createBitmap(2, 2);
  wincanvas::setPixel(bitmap, 1, 0, kGreen);
  SURFHANDLE kept = oapiCreateSurface(bitmap, false);
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(PixelOf(kept, 1, 0), kGreen);
  wincanvas::setPixel(bitmap, 1, 0, kBlue);  // the caller's bitmap is its own
  EXPECT_EQ(PixelOf(kept, 1, 0), kGreen);
  SURFHANDLE taken = oapiCreateSurface(bitmap);
  EXPECT_EQ(PixelOf(taken, 1, 0), kBlue);
  EXPECT_FALSE(DeleteObject(bitmap));  // the host released it already
  oapiDestroySurface(kept);
  oapiDestroySurface(taken);
}
