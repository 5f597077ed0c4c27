#include <gtest/gtest.h>

#include <cmath>

#include "GdiTestSupport.h"

namespace {

using gditest::Canvas;
using gditest::kBlack;

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

// Pen and brush selected for a test and freed with it.
class Tools {
 public:
  Tools(HDC hdc, HPEN pen, HBRUSH brush) : dc(hdc) {
    oldPen = SelectObject(dc, pen);
    oldBrush = SelectObject(dc, brush);
  }
  ~Tools() {
    DeleteObject(SelectObject(dc, oldPen));
    DeleteObject(SelectObject(dc, oldBrush));
  }

 private:
  HDC dc;
  HGDIOBJ oldPen, oldBrush;
};

}  // namespace

TEST(GdiObjects, AFreshDcDrawsWithABlackPenAWhiteBrushAndWindowsTextDefaults) {
  Canvas canvas(6, 6);
  EXPECT_TRUE(Rectangle(canvas.dc, 0, 0, 5, 5));
  EXPECT_EQ(canvas.at(0, 0), kBlack);
  EXPECT_EQ(canvas.at(2, 2), kWhite);
  EXPECT_EQ(SetTextColor(canvas.dc, RGB(1, 2, 3)), RGB(0, 0, 0));
  EXPECT_EQ(SetTextColor(canvas.dc, RGB(4, 5, 6)), RGB(1, 2, 3));
  EXPECT_EQ(SetBkColor(canvas.dc, RGB(9, 9, 9)), RGB(255, 255, 255));
  EXPECT_EQ(SetBkMode(canvas.dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkMode(canvas.dc, OPAQUE), TRANSPARENT);
  EXPECT_EQ(SetTextAlign(canvas.dc, TA_RIGHT | TA_BASELINE), static_cast<UINT>(TA_LEFT | TA_TOP));
  EXPECT_EQ(SetTextAlign(canvas.dc, TA_LEFT), static_cast<UINT>(TA_RIGHT | TA_BASELINE));
}

TEST(GdiObjects, SelectingReturnsThePreviousObjectOfTheSameKind) {
  Canvas canvas(4, 4);
  HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HPEN green = CreatePen(PS_SOLID, 1, RGB(0, 255, 0));
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
  HGDIOBJ stockPen = SelectObject(canvas.dc, red);
  ASSERT_NE(stockPen, nullptr);
  HGDIOBJ stockBrush = SelectObject(canvas.dc, brush);
  EXPECT_NE(stockBrush, stockPen);
  EXPECT_EQ(SelectObject(canvas.dc, green), static_cast<HGDIOBJ>(red));
  EXPECT_EQ(SelectObject(canvas.dc, stockPen), static_cast<HGDIOBJ>(green));
  EXPECT_EQ(SelectObject(canvas.dc, stockBrush), static_cast<HGDIOBJ>(brush));
  // The canvas's bitmap cannot be in a second DC at once.
  HDC other = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(other, canvas.bitmap), nullptr);
  DeleteDC(other);
  for (HGDIOBJ o : {static_cast<HGDIOBJ>(red), static_cast<HGDIOBJ>(green), static_cast<HGDIOBJ>(brush)})
    EXPECT_TRUE(DeleteObject(o));
}

TEST(GdiObjects, BadHandlesAreRefusedWithoutHarm) {
  int notAnObject = 0;
  auto *bogus = reinterpret_cast<HDC>(&notAnObject);
  SetLastError(0);
  EXPECT_FALSE(DeleteObject(nullptr));
  EXPECT_FALSE(DeleteObject(&notAnObject));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(DeleteDC(nullptr));
  EXPECT_FALSE(Rectangle(bogus, 0, 0, 4, 4));
  EXPECT_FALSE(LineTo(nullptr, 1, 1));
  HBRUSH brush = CreateSolidBrush(0);
  EXPECT_EQ(SelectObject(bogus, brush), nullptr);
  EXPECT_EQ(SetTextColor(nullptr, 0), static_cast<COLORREF>(CLR_INVALID));
  BITMAP bm;
  EXPECT_EQ(GetObjectA(&notAnObject, sizeof bm, &bm), 0);
  EXPECT_EQ(GetObjectA(brush, sizeof bm, &bm), 0);
  EXPECT_EQ(CreateCompatibleDC(bogus), nullptr);
  EXPECT_FALSE(BitBlt(nullptr, 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
  // A deleted handle is as unknown as a made-up one.
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_FALSE(DeleteObject(brush));
}

TEST(GdiObjects, ObjectsInUseOutliveTheirDeletionOnlyAsLongAsTheDcHoldsThem) {
  Canvas canvas(8, 8);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 255, 0));
  HGDIOBJ stockPen = SelectObject(canvas.dc, pen);
  EXPECT_TRUE(DeleteObject(pen));  // deferred: the DC still draws with it
  MoveToEx(canvas.dc, 0, 0, nullptr);
  LineTo(canvas.dc, 4, 0);
  EXPECT_EQ(canvas.at(1, 0), kGreen);
  SelectObject(canvas.dc, stockPen);  // now it goes (the sanitizer build would see a leak)
  EXPECT_EQ(SelectObject(canvas.dc, pen), nullptr);
  // A bitmap in a DC cannot be deleted at all.
  EXPECT_FALSE(DeleteObject(canvas.bitmap));
}

TEST(GdiObjects, DrawingWithoutABitmapDoesNothing) {
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_TRUE(Rectangle(dc, 0, 0, 100, 100));
  MoveToEx(dc, 0, 0, nullptr);
  EXPECT_TRUE(LineTo(dc, 50, 50));
  const POINT triangle[] = {{0, 0}, {10, 0}, {0, 10}};
  EXPECT_TRUE(Polygon(dc, triangle, 3));
  EXPECT_TRUE(DeleteDC(dc));
}

TEST(GdiRectangle, OutlineAndFillLeaveOutTheRightAndBottomEdges) {
  Canvas canvas(12, 12);
  Tools tools(canvas.dc, CreatePen(PS_SOLID, 1, RGB(0, 255, 0)), CreateSolidBrush(RGB(255, 0, 0)));
  EXPECT_TRUE(Rectangle(canvas.dc, 2, 3, 8, 7));
  for (POINT p : {POINT{2, 3}, POINT{7, 3}, POINT{2, 6}, POINT{7, 6}, POINT{5, 3}, POINT{2, 5}, POINT{7, 4}})
    EXPECT_EQ(canvas.at(p.x, p.y), kGreen) << p.x << "," << p.y;
  EXPECT_EQ(canvas.boxOf(kRed).left, 3);
  EXPECT_EQ(canvas.boxOf(kRed).top, 4);
  EXPECT_EQ(canvas.boxOf(kRed).right, 7);
  EXPECT_EQ(canvas.boxOf(kRed).bottom, 6);
  EXPECT_EQ(canvas.count(kGreen) + canvas.count(kRed), 6 * 4);
  EXPECT_EQ(canvas.at(8, 3), kBlack);
  EXPECT_EQ(canvas.at(2, 7), kBlack);
}

// As Wine's GDI (and Windows') does it: without an outline only the
// interior is filled, one pixel short of the right and bottom edges.
TEST(GdiRectangle, ANullPenFillsTheInteriorAndCornersMayComeInAnyOrder) {
  Canvas canvas(12, 12);
  Tools tools(canvas.dc, CreatePen(PS_NULL, 1, 0), CreateSolidBrush(RGB(0, 0, 255)));
  EXPECT_TRUE(Rectangle(canvas.dc, 8, 7, 2, 3));
  const RECT box = canvas.boxOf(kBlue);
  EXPECT_EQ(box.left, 2);
  EXPECT_EQ(box.top, 3);
  EXPECT_EQ(box.right, 7);
  EXPECT_EQ(box.bottom, 6);
  EXPECT_EQ(canvas.count(kBlue), 5 * 3);
}

TEST(GdiRectangle, RectanglesReachingFarOutsideAreClipped) {
  Canvas canvas(10, 10);
  Tools tools(canvas.dc, CreatePen(PS_SOLID, 3, RGB(0, 255, 0)), CreateSolidBrush(RGB(255, 0, 0)));
  EXPECT_TRUE(Rectangle(canvas.dc, INT32_MIN, INT32_MIN, INT32_MAX, 5));
  EXPECT_EQ(canvas.at(0, 0), kRed);
  EXPECT_EQ(canvas.at(9, 3), kGreen);  // the 3-pixel pen around the bottom edge y = 4
  EXPECT_EQ(canvas.at(9, 5), kGreen);
  EXPECT_EQ(canvas.at(9, 6), kBlack);
}

TEST(GdiPolygon, ATriangleIsFilledInsideItsOutline) {
  Canvas canvas(20, 20);
  Tools tools(canvas.dc, CreatePen(PS_SOLID, 1, RGB(0, 255, 0)), CreateSolidBrush(RGB(255, 0, 0)));
  const POINT triangle[] = {{2, 2}, {17, 2}, {2, 17}};
  EXPECT_TRUE(Polygon(canvas.dc, triangle, 3));
  // Every vertex is outlined: the outline closes on itself.
  for (const POINT &p : triangle) EXPECT_EQ(canvas.at(p.x, p.y), kGreen) << p.x << "," << p.y;
  EXPECT_EQ(canvas.at(9, 2), kGreen);
  EXPECT_EQ(canvas.at(2, 9), kGreen);
  EXPECT_EQ(canvas.at(10, 9), kGreen);  // on the hypotenuse x + y = 19
  EXPECT_EQ(canvas.at(5, 5), kRed);
  EXPECT_EQ(canvas.at(9, 8), kRed);
  EXPECT_EQ(canvas.at(12, 12), kBlack);
  EXPECT_EQ(canvas.at(18, 2), kBlack);
  EXPECT_EQ(canvas.at(1, 5), kBlack);
  // No anti-aliasing: only the three colours appear.
  EXPECT_EQ(canvas.count(kGreen) + canvas.count(kRed) + canvas.count(kBlack), 400);
}

TEST(GdiPolygon, TheAlternateRuleLeavesAPentagramsCentreEmpty) {
  Canvas canvas(41, 41);
  Tools tools(canvas.dc, CreatePen(PS_NULL, 1, 0), CreateSolidBrush(RGB(255, 0, 0)));
  POINT star[5];
  for (int i = 0; i < 5; ++i) {
    const double angle = -M_PI / 2 + (2 * i) * (2 * M_PI / 5);  // every second point of a pentagon
    star[i] = {static_cast<LONG>(std::lround(20 + 19 * std::cos(angle))),
               static_cast<LONG>(std::lround(20 + 19 * std::sin(angle)))};
  }
  EXPECT_TRUE(Polygon(canvas.dc, star, 5));
  EXPECT_EQ(canvas.at(20, 20), kBlack);
  EXPECT_EQ(canvas.at(20, 5), kRed);  // inside the top tip
}

TEST(GdiLines, ALineLeavesOutItsEndPointAndMovesThePosition) {
  Canvas canvas(10, 10);
  Tools tools(canvas.dc, CreatePen(PS_SOLID, 1, RGB(0, 255, 0)), CreateSolidBrush(0));
  POINT before = {-1, -1};
  EXPECT_TRUE(MoveToEx(canvas.dc, 1, 1, &before));
  EXPECT_EQ(before.x, 0);
  EXPECT_EQ(before.y, 0);
  EXPECT_TRUE(LineTo(canvas.dc, 6, 1));
  EXPECT_EQ(canvas.count(kGreen), 5);
  EXPECT_EQ(canvas.at(1, 1), kGreen);
  EXPECT_EQ(canvas.at(5, 1), kGreen);
  EXPECT_EQ(canvas.at(6, 1), kBlack);
  EXPECT_TRUE(LineTo(canvas.dc, 6, 5));  // from where the last one ended
  EXPECT_EQ(canvas.at(6, 1), kGreen);
  EXPECT_EQ(canvas.at(6, 4), kGreen);
  EXPECT_EQ(canvas.at(6, 5), kBlack);
  MoveToEx(canvas.dc, 0, 9, nullptr);
  LineTo(canvas.dc, 3, 6);  // a diagonal: one pixel a step
  for (int i = 0; i < 3; ++i) EXPECT_EQ(canvas.at(i, 9 - i), kGreen);
  EXPECT_EQ(canvas.at(3, 6), kBlack);
}

// Lines from one end of the coordinate range to the other are clipped to the
// bitmap (a hang would end at the test's time limit), diagonals included.
TEST(GdiLines, HugeLinesAreClippedAndNullPensDrawNothing) {
  Canvas canvas(10, 10);
  Tools tools(canvas.dc, CreatePen(PS_SOLID, 1, RGB(0, 255, 0)), CreateSolidBrush(0));
  MoveToEx(canvas.dc, INT32_MIN, 4, nullptr);
  LineTo(canvas.dc, INT32_MAX, 4);
  EXPECT_EQ(canvas.count(kGreen), 10);
  Canvas diagonal(10, 10);
  Tools diagonalTools(diagonal.dc, CreatePen(PS_SOLID, 1, RGB(0, 255, 0)), CreateSolidBrush(0));
  MoveToEx(diagonal.dc, INT32_MIN, INT32_MIN, nullptr);
  LineTo(diagonal.dc, INT32_MAX, INT32_MAX);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(diagonal.at(i, i), kGreen) << i;
  EXPECT_EQ(diagonal.count(kGreen), 10);
  HGDIOBJ solid = SelectObject(canvas.dc, CreatePen(PS_NULL, 1, 0));
  MoveToEx(canvas.dc, 0, 0, nullptr);
  LineTo(canvas.dc, 9, 9);
  EXPECT_EQ(canvas.count(kGreen), 10);
  DeleteObject(SelectObject(canvas.dc, solid));
}

TEST(GdiDibSection, BottomUpPixelsLieInWindowsOrderAndBlitToTheScreenUpright) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 3;
  info.bmiHeader.biHeight = 4;  // bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void *bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(dib, nullptr);
  ASSERT_NE(bits, nullptr);
  auto *pixels = static_cast<uint32_t *>(bits);
  BITMAP bm;
  ASSERT_EQ(GetObjectA(dib, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 3);
  EXPECT_EQ(bm.bmHeight, 4);
  EXPECT_EQ(bm.bmWidthBytes, 12);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(bm.bmBits, bits);

  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ before = SelectObject(dc, dib);
  HGDIOBJ pen = SelectObject(dc, CreatePen(PS_NULL, 1, 0));
  HGDIOBJ brush = SelectObject(dc, CreateSolidBrush(RGB(255, 0, 0)));
  Rectangle(dc, 0, 0, 2, 2);  // the top-left pixel (no outline): the last row in memory
  EXPECT_EQ(pixels[3 * 3 + 0], kRed);
  EXPECT_EQ(pixels[0], kBlack);
  pixels[0] = kBlue;  // the bottom-left pixel, written the Windows way
  pixels[3 * 3 + 1] = kGreen;  // (1, 0)

  Canvas screen(5, 6);
  EXPECT_TRUE(BitBlt(screen.dc, 1, 1, 3, 4, dc, 0, 0, SRCCOPY));
  EXPECT_EQ(screen.at(1, 1), kRed);
  EXPECT_EQ(screen.at(2, 1), kGreen);
  EXPECT_EQ(screen.at(1, 4), kBlue);
  EXPECT_EQ(screen.count(kBlack), 30 - 3);
  // Clipped on both sides: only the overlap moves, column 1 of the DIB to column 0.
  EXPECT_TRUE(BitBlt(screen.dc, -1, 3, 10, 10, dc, 0, 0, SRCCOPY));
  EXPECT_EQ(screen.at(0, 3), kGreen);
  EXPECT_EQ(screen.count(kRed), 1);
  EXPECT_EQ(screen.count(kBlue), 0);  // covered by the second copy, whose own fell off the bottom

  DeleteObject(SelectObject(dc, pen));
  DeleteObject(SelectObject(dc, brush));
  SelectObject(dc, before);
  DeleteDC(dc);
  EXPECT_TRUE(DeleteObject(dib));
}

TEST(GdiDibSection, TopDownSectionsKeepTheTopRowFirstAndOtherFormatsAreRefused) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 2;
  info.bmiHeader.biHeight = -2;
  info.bmiHeader.biBitCount = 32;
  void *bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(dib, nullptr);
  static_cast<uint32_t *>(bits)[1] = kGreen;
  EXPECT_EQ(wincanvas::pixel(dib, 1, 0), kGreen);
  DeleteObject(dib);
  info.bmiHeader.biBitCount = 24;
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(bits, nullptr);
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biWidth = 100000;
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
}
