#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "GdiTestSupport.h"

namespace {

using gditest::Canvas;
using gditest::kBlack;

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF;

class GdiText : public ::testing::Test {
 protected:
  GdiText() : canvas(240, 80) {
    SetTextColor(canvas.dc, RGB(255, 0, 0));
    SetBkMode(canvas.dc, TRANSPARENT);
    Use(CreateFontA(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH, "Arial"));
  }
  ~GdiText() override { DeleteObject(SelectObject(canvas.dc, stockFont)); }

  void Use(HFONT font) {
    HGDIOBJ previous = SelectObject(canvas.dc, font);
    if (stockFont == nullptr) {
      stockFont = previous;
    } else {
      DeleteObject(previous);
    }
  }
  SIZE Extent(const char *text) {
    SIZE size = {0, 0};
    EXPECT_TRUE(GetTextExtentPoint32A(canvas.dc, text, static_cast<int>(std::strlen(text)), &size));
    return size;
  }
  void Draw(int x, int y, const char *text) {
    EXPECT_TRUE(TextOutA(canvas.dc, x, y, text, static_cast<int>(std::strlen(text))));
  }

  Canvas canvas;
  HGDIOBJ stockFont = nullptr;
};

}  // namespace

TEST_F(GdiText, LeftTopTextLiesInsideItsCellInTheTextColourOnly) {
  const SIZE size = Extent("HX");
  EXPECT_GT(size.cx, 10);
  EXPECT_GT(size.cy, 20);  // an em of 20 plus the face's leading
  Draw(10, 10, "HX");
  const RECT ink = canvas.boxOf(kRed);
  EXPECT_GE(ink.left, 10);
  EXPECT_GE(ink.top, 10);
  EXPECT_LE(ink.right, 10 + size.cx);
  EXPECT_LE(ink.bottom, 10 + size.cy);
  EXPECT_GT(ink.right - ink.left, size.cx / 2);
  // Monochrome: nothing but ink and the untouched background.
  EXPECT_EQ(canvas.count(kRed) + canvas.count(kBlack), 240 * 80);
}

TEST_F(GdiText, PositiveHeightsAskForTheCellAndBoldFacesHaveMoreInk) {
  Use(CreateFontA(24, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
  EXPECT_EQ(Extent("H").cy, 24);
  Draw(0, 0, "HHHH");
  const int regular = canvas.count(kRed);
  Use(CreateFontA(24, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
  Draw(0, 40, "HHHH");
  EXPECT_GT(canvas.count(kRed) - regular, regular / 5);
}

TEST_F(GdiText, AlignmentPlacesTheTextAroundItsReferencePoint) {
  const SIZE size = Extent("HHH");
  SetTextAlign(canvas.dc, TA_CENTER | TA_BASELINE);
  Draw(120, 40, "HHH");
  RECT ink = canvas.boxOf(kRed);
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 120.0, 2.0);
  EXPECT_EQ(ink.bottom, 40);  // capitals stand on the baseline
  EXPECT_LT(ink.top, 40 - 10);

  wincanvas::fill(canvas.bitmap, kBlack);
  SetTextAlign(canvas.dc, TA_RIGHT | TA_TOP);
  Draw(200, 10, "HHH");
  ink = canvas.boxOf(kRed);
  EXPECT_LE(ink.right, 200);
  EXPECT_GE(ink.right, 200 - 4);
  EXPECT_GE(ink.left, 200 - size.cx);
  EXPECT_GE(ink.top, 10);

  // The bottom of the cell at y is the top of the cell at y minus its height.
  wincanvas::fill(canvas.bitmap, kBlack);
  SetTextAlign(canvas.dc, TA_LEFT | TA_BOTTOM);
  Draw(10, 70, "HHH");
  const RECT fromBottom = canvas.boxOf(kRed);
  wincanvas::fill(canvas.bitmap, kBlack);
  SetTextAlign(canvas.dc, TA_LEFT | TA_TOP);
  Draw(10, 70 - size.cy, "HHH");
  const RECT fromTop = canvas.boxOf(kRed);
  EXPECT_EQ(fromBottom.top, fromTop.top);
  EXPECT_EQ(fromBottom.bottom, fromTop.bottom);
  EXPECT_LT(fromBottom.bottom, 70);  // room for descenders below
}

TEST_F(GdiText, AnOpaqueBackgroundFillsExactlyTheTextCell) {
  SetBkColor(canvas.dc, RGB(0, 0, 255));
  Draw(10, 10, "Hg");
  EXPECT_EQ(canvas.count(kBlue), 0);  // transparent: glyph pixels only
  EXPECT_GT(canvas.count(kRed), 0);

  wincanvas::fill(canvas.bitmap, kBlack);
  EXPECT_EQ(SetBkMode(canvas.dc, OPAQUE), TRANSPARENT);
  const SIZE size = Extent("Hg");
  Draw(10, 10, "Hg");
  const RECT cell = canvas.boxOf(kBlue);
  EXPECT_EQ(cell.left, 10);
  EXPECT_EQ(cell.top, 10);
  EXPECT_EQ(cell.right, 10 + size.cx);
  EXPECT_EQ(cell.bottom, 10 + size.cy);
  EXPECT_EQ(canvas.count(kBlue) + canvas.count(kRed), size.cx * size.cy);
}

TEST_F(GdiText, AnUnknownFaceFallsBackToAnInstalledOneAndBadCallsFail) {
  Use(CreateFontA(0, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "No Such Face Anywhere"));
  EXPECT_EQ(Extent("H").cy, 16);  // height 0: the default cell
  Draw(5, 5, "Fallback");
  EXPECT_GT(canvas.count(kRed), 20);
  const int before = canvas.count(kRed);
  Draw(5, 40, "");
  EXPECT_EQ(canvas.count(kRed), before);
  EXPECT_FALSE(TextOutA(canvas.dc, 0, 0, nullptr, 3));
  EXPECT_FALSE(TextOutA(canvas.dc, 0, 0, "abc", -1));
  EXPECT_FALSE(TextOutA(nullptr, 0, 0, "abc", 3));
  // Text far off the bitmap costs nothing and draws nothing.
  Draw(INT32_MAX - 5, INT32_MIN + 5, "clipped away");
  EXPECT_EQ(canvas.count(kRed), before);
}
