#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../module/HostFixture.h"
#include "../platform/GdiTestSupport.h"
#include "PanelHost.h"
#include "Surface.h"
#include "SurfaceProbe.h"
#include "wincanvas.h"

namespace {

struct Call {
  std::string what;  // "redraw" or "mouse"
  int area;
  int event;
  int x = 0;
  int y = 0;
  bool operator==(const Call &o) const {
    return what == o.what && area == o.area && event == o.event && x == o.x && y == o.y;
  }
};

std::ostream &operator<<(std::ostream &out, const Call &c) {
  return out << c.what << "(" << c.area << ", " << c.event << ", " << c.x << ", " << c.y << ")";
}

// A module's panel side: registers what the test says and logs every event.
class FakePanels : public host::PanelClient {
 public:
  FakePanels(std::vector<Call> &log, std::function<bool(int)> load,
             std::function<void(int, int, SURFHANDLE)> draw = nullptr)
      : calls(log), onLoad(std::move(load)), onRedraw(std::move(draw)) {}
  bool loadPanel(int id) override { return onLoad(id); }
  bool redrawEvent(int area, int event, SURFHANDLE surf) override {
    calls.push_back({"redraw", area, event});
    if (onRedraw) onRedraw(area, event, surf);
    return true;
  }
  bool mouseEvent(int area, int event, int x, int y) override {
    calls.push_back({"mouse", area, event, x, y});
    return true;
  }

 private:
  std::vector<Call> &calls;
  std::function<bool(int)> onLoad;
  std::function<void(int, int, SURFHANDLE)> onRedraw;
};

RECT Rect(LONG l, LONG t, LONG r, LONG b) { return RECT{l, t, r, b}; }

class PanelHostTest : public HostFixture {
 protected:
  bool Show(int id, std::function<bool(int)> load, std::function<void(int, int, SURFHANDLE)> draw = nullptr) {
    calls.clear();
    return sim.panels.showPanel(std::make_unique<FakePanels>(calls, std::move(load), std::move(draw)), id);
  }
  std::vector<Call> Take() {
    std::vector<Call> taken;
    taken.swap(calls);
    return taken;
  }
  std::vector<Call> calls;
};

HBITMAP Background(int w, int h, uint32_t rgb) {
  HBITMAP bitmap = wincanvas::createBitmap(w, h);
  wincanvas::fill(bitmap, rgb);
  return bitmap;
}

}  // namespace

TEST_F(PanelHostTest, LoadingRecordsTheRegistrationsAndInitialisesEveryArea) {
  ASSERT_TRUE(Show(2, [](int id) {
    EXPECT_EQ(id, 2);
    oapiRegisterPanelBackground(Background(100, 50, 0x808080), PANEL_ATTACH_TOP, 0x0000FF);
    oapiSetPanelNeighbours(1, 3, -1, 0);
    oapiRegisterPanelArea(10, Rect(0, 0, 20, 10), PANEL_REDRAW_ALWAYS, PANEL_MOUSE_LBDOWN, PANEL_MAP_BACKGROUND);
    oapiRegisterPanelArea(11, Rect(30, 5, 40, 45));
    return true;
  }));
  EXPECT_TRUE(sim.panels.panelShown());
  EXPECT_EQ(sim.panels.shownPanel(), 2);
  EXPECT_EQ(sim.panels.extent().width, 100);
  EXPECT_EQ(sim.panels.extent().height, 50);
  EXPECT_EQ(sim.panels.backgroundFlag(), static_cast<DWORD>(PANEL_ATTACH_TOP));
  EXPECT_EQ(sim.panels.backgroundColourKey(), 0x0000FFu);
  EXPECT_EQ(sim.panels.neighbours().left, 1);
  EXPECT_EQ(sim.panels.neighbours().right, 3);
  EXPECT_EQ(sim.panels.neighbours().top, -1);
  EXPECT_EQ(sim.panels.neighbours().bottom, 0);
  const auto &areas = sim.panels.areas();
  ASSERT_EQ(areas.size(), 2u);
  EXPECT_EQ(areas[0].id, 10);
  EXPECT_EQ(areas[0].drawEvent, PANEL_REDRAW_ALWAYS);
  EXPECT_EQ(areas[0].mouseEvent, PANEL_MOUSE_LBDOWN);
  EXPECT_EQ(areas[0].bkmode, PANEL_MAP_BACKGROUND);
  EXPECT_EQ(areas[1].rect.bottom, 45);
  EXPECT_EQ(areas[1].drawEvent, PANEL_REDRAW_NEVER);
  // Each area draws on its own surface of its own size.
  for (const host::PanelArea &area : areas) {
    host::Surface *surface = host::Surface::find(area.surface);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->width(), area.rect.right - area.rect.left);
    EXPECT_EQ(surface->height(), area.rect.bottom - area.rect.top);
  }
  EXPECT_EQ(Take(), (std::vector<Call>{{"redraw", 10, PANEL_REDRAW_INIT}, {"redraw", 11, PANEL_REDRAW_INIT}}));
}

TEST_F(PanelHostTest, ARefusedPanelShowsNothingAndLateRegistrationsAreIgnored) {
  EXPECT_FALSE(Show(1, [](int) {
    oapiRegisterPanelArea(1, Rect(0, 0, 5, 5), PANEL_REDRAW_ALWAYS);
    return false;
  }));
  EXPECT_FALSE(sim.panels.panelShown());
  EXPECT_TRUE(sim.panels.areas().empty());
  EXPECT_TRUE(Take().empty());
  sim.panels.frame();
  EXPECT_TRUE(Take().empty());

  ASSERT_TRUE(Show(0, [](int) {
    oapiRegisterPanelArea(1, Rect(0, 0, 5, 5));
    return true;
  }));
  oapiRegisterPanelArea(2, Rect(0, 0, 5, 5), PANEL_REDRAW_ALWAYS);
  HBITMAP late = Background(4, 4, 0);
  oapiRegisterPanelBackground(late);  // taken and freed, not used
  EXPECT_EQ(sim.panels.areas().size(), 1u);
  EXPECT_EQ(sim.panels.background(), nullptr);
  EXPECT_FALSE(wincanvas::isBitmap(late));
  host::Vessel *plain = OrbitingVessel("Plain");
  EXPECT_FALSE(sim.panels.showPanel(*plain, 0));  // no module to ask
  EXPECT_FALSE(sim.panels.panelShown());
}

TEST_F(PanelHostTest, FramesRedrawAlwaysAreasThenRequestedAreasOnce) {
  ASSERT_TRUE(Show(4, [](int) {
    oapiRegisterPanelArea(1, Rect(0, 0, 5, 5), PANEL_REDRAW_ALWAYS);
    oapiRegisterPanelArea(2, Rect(5, 0, 10, 5), PANEL_REDRAW_USER);
    oapiRegisterPanelArea(3, Rect(10, 0, 15, 5), PANEL_REDRAW_NEVER);
    return true;
  }));
  Take();
  oapiTriggerPanelRedrawArea(4, 3);
  oapiTriggerPanelRedrawArea(4, 2);
  oapiTriggerPanelRedrawArea(4, 3);
  oapiTriggerPanelRedrawArea(5, 2);   // not the shown panel: nothing
  oapiTriggerPanelRedrawArea(4, 99);  // no such area: nothing
  sim.frame(0.1);  // the simulation's frame ends with the panel's
  EXPECT_EQ(Take(), (std::vector<Call>{{"redraw", 1, PANEL_REDRAW_ALWAYS},
                                       {"redraw", 3, PANEL_REDRAW_USER},
                                       {"redraw", 2, PANEL_REDRAW_USER}}));
  sim.panels.frame();
  EXPECT_EQ(Take(), (std::vector<Call>{{"redraw", 1, PANEL_REDRAW_ALWAYS}}));
}

TEST_F(PanelHostTest, ARequestMadeWhileRedrawingWaitsForTheNextFrame) {
  ASSERT_TRUE(Show(
      0,
      [](int) {
        oapiRegisterPanelArea(1, Rect(0, 0, 5, 5), PANEL_REDRAW_ALWAYS);
        oapiRegisterPanelArea(2, Rect(5, 0, 10, 5));
        return true;
      },
      [](int area, int event, SURFHANDLE) {
        if (area == 1 || event == PANEL_REDRAW_INIT) {
          oapiTriggerPanelRedrawArea(0, 2);
        }
      }));
  EXPECT_EQ(Take().size(), 2u);  // the two initial redraws
  sim.panels.frame();
  EXPECT_EQ(Take(), (std::vector<Call>{{"redraw", 1, PANEL_REDRAW_ALWAYS}, {"redraw", 2, PANEL_REDRAW_USER}}));
  sim.panels.frame();
  EXPECT_EQ(Take(), (std::vector<Call>{{"redraw", 1, PANEL_REDRAW_ALWAYS}, {"redraw", 2, PANEL_REDRAW_USER}}));
}

TEST_F(PanelHostTest, ClicksGoToTheTopmostAreaThatTakesThatButton) {
  ASSERT_TRUE(Show(0, [](int) {
    oapiRegisterPanelArea(1, Rect(0, 0, 50, 50), PANEL_REDRAW_MOUSE, PANEL_MOUSE_LBDOWN | PANEL_MOUSE_LBUP);
    oapiRegisterPanelArea(2, Rect(20, 20, 40, 40), PANEL_REDRAW_NEVER, PANEL_MOUSE_RBDOWN);
    oapiRegisterPanelArea(3, Rect(20, 20, 40, 40), PANEL_REDRAW_MOUSE, PANEL_MOUSE_IGNORE);
    return true;
  }));
  Take();
  EXPECT_TRUE(sim.panels.click(25, 26, false));
  EXPECT_EQ(Take(), (std::vector<Call>{{"mouse", 1, PANEL_MOUSE_LBDOWN, 25, 26},
                                       {"redraw", 1, PANEL_REDRAW_MOUSE},
                                       {"mouse", 1, PANEL_MOUSE_LBUP, 25, 26},
                                       {"redraw", 1, PANEL_REDRAW_MOUSE}}));
  EXPECT_TRUE(sim.panels.click(25, 26, true));
  EXPECT_EQ(Take(), (std::vector<Call>{{"mouse", 2, PANEL_MOUSE_RBDOWN, 5, 6}}));
  EXPECT_FALSE(sim.panels.click(45, 45, true));  // area 1 takes the left button only
  EXPECT_FALSE(sim.panels.click(50, 10, false));  // right edge excluded
  EXPECT_TRUE(Take().empty());
}

// A button held over frames, as the live bench's page holds one.
TEST_F(PanelHostTest, AHeldButtonIsPressedEveryFrameUntilItComesUpOrThePanelGoes) {
  ASSERT_TRUE(Show(0, [](int) {
    oapiRegisterPanelArea(1, Rect(0, 0, 50, 50), PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN | PANEL_MOUSE_LBPRESSED);
    oapiRegisterPanelArea(2, Rect(60, 0, 90, 50), PANEL_REDRAW_NEVER, PANEL_MOUSE_RBDOWN | PANEL_MOUSE_RBUP);
    return true;
  }));
  Take();
  ASSERT_TRUE(sim.panels.buttonDown(10, 20, false));
  sim.panels.frame();
  sim.panels.frame();
  sim.panels.buttonUp();  // area 1 does not ask for the release
  sim.panels.frame();
  EXPECT_EQ(Take(), (std::vector<Call>{{"mouse", 1, PANEL_MOUSE_LBDOWN, 10, 20},
                                       {"mouse", 1, PANEL_MOUSE_LBPRESSED, 10, 20},
                                       {"mouse", 1, PANEL_MOUSE_LBPRESSED, 10, 20}}));
  // Area 2 takes no held events; its release comes at the next press.
  ASSERT_TRUE(sim.panels.buttonDown(70, 5, true));
  sim.panels.frame();
  EXPECT_FALSE(sim.panels.buttonDown(55, 5, false));
  EXPECT_EQ(Take(), (std::vector<Call>{{"mouse", 2, PANEL_MOUSE_RBDOWN, 10, 5}, {"mouse", 2, PANEL_MOUSE_RBUP, 10, 5}}));
  ASSERT_TRUE(sim.panels.buttonDown(10, 20, false));
  sim.panels.hidePanel();
  sim.panels.frame();
  sim.panels.buttonUp();
  EXPECT_EQ(Take(), (std::vector<Call>{{"mouse", 1, PANEL_MOUSE_LBDOWN, 10, 20}}));
}

TEST_F(PanelHostTest, AClickOnAnAreaReachesThatAreaAloneWhateverLiesOverIt) {
  ASSERT_TRUE(Show(0, [](int) {
    oapiRegisterPanelArea(1, Rect(0, 0, 50, 50), PANEL_REDRAW_MOUSE, PANEL_MOUSE_LBDOWN | PANEL_MOUSE_LBUP);
    oapiRegisterPanelArea(2, Rect(20, 20, 40, 40), PANEL_REDRAW_NEVER, PANEL_MOUSE_LBDOWN | PANEL_MOUSE_RBDOWN);
    return true;
  }));
  Take();
  // (25, 26) of area 1 is under area 2, which a click on the panel would reach.
  EXPECT_TRUE(sim.panels.clickArea(1, 25, 26, false));
  EXPECT_EQ(Take(), (std::vector<Call>{{"mouse", 1, PANEL_MOUSE_LBDOWN, 25, 26},
                                       {"redraw", 1, PANEL_REDRAW_MOUSE},
                                       {"mouse", 1, PANEL_MOUSE_LBUP, 25, 26},
                                       {"redraw", 1, PANEL_REDRAW_MOUSE}}));
  EXPECT_TRUE(sim.panels.clickArea(2, 5, 6, true));
  EXPECT_EQ(Take(), (std::vector<Call>{{"mouse", 2, PANEL_MOUSE_RBDOWN, 5, 6}}));
  // Outside the area: nothing, not even the area the point falls on.
  EXPECT_FALSE(sim.panels.clickArea(2, 25, 25, false));  // (45, 45): area 1's
  EXPECT_FALSE(sim.panels.clickArea(2, 20, 0, false));   // right edge excluded
  EXPECT_FALSE(sim.panels.clickArea(1, -1, 5, false));
  EXPECT_FALSE(sim.panels.clickArea(1, 5, 5, true));     // area 1 takes the left button only
  EXPECT_FALSE(sim.panels.clickArea(3, 0, 0, false));    // no such area
  EXPECT_TRUE(Take().empty());
  sim.panels.hidePanel();
  EXPECT_FALSE(sim.panels.clickArea(1, 5, 5, false));
}

TEST_F(PanelHostTest, BackgroundMappedAreasStartEveryRedrawFromTheBackground) {
  std::vector<uint32_t> seen;  // the surface's first pixel as each redraw found it
  ASSERT_TRUE(Show(
      0,
      [](int) {
        HBITMAP background = Background(40, 20, 0x336699);
        wincanvas::setPixel(background, 10, 5, 0xABCDEF);
        oapiRegisterPanelBackground(background);
        oapiRegisterPanelArea(1, Rect(10, 5, 20, 15), PANEL_REDRAW_ALWAYS, 0, PANEL_MAP_BACKGROUND);
        oapiRegisterPanelArea(2, Rect(20, 5, 30, 15), PANEL_REDRAW_ALWAYS, 0, PANEL_MAP_NONE);
        return true;
      },
      [&seen](int area, int, SURFHANDLE surf) {
        seen.push_back(PixelOf(surf, 0, 0));
        HDC dc = oapiGetDC(surf);
        Rectangle(dc, 0, 0, 3, 3);  // white with a black outline
        oapiReleaseDC(surf, dc);
      }));
  sim.panels.frame();
  EXPECT_EQ(seen, (std::vector<uint32_t>{0xABCDEF, 0x000000, 0xABCDEF, 0x000000}));
}

TEST_F(PanelHostTest, ThePictureIsTheBackgroundWithItsKeyBlackAndTheAreasOnTop) {
  gditest::ScratchFolder scratch;
  ASSERT_TRUE(Show(
      0,
      [](int) {
        HBITMAP background = Background(30, 20, 0x336699);
        for (int x = 0; x < 30; ++x) wincanvas::setPixel(background, x, 19, 0xFF00FF);
        oapiRegisterPanelBackground(background, PANEL_ATTACH_BOTTOM, 0xFF00FF);
        oapiRegisterPanelArea(1, Rect(2, 2, 6, 6), PANEL_REDRAW_INIT);
        oapiRegisterPanelArea(2, Rect(4, 4, 8, 8), PANEL_REDRAW_INIT);
        oapiRegisterPanelArea(3, Rect(26, 16, 34, 24), PANEL_REDRAW_INIT);  // partly off the panel
        return true;
      },
      [](int area, int, SURFHANDLE surf) {
        HDC dc = oapiGetDC(surf);
        HGDIOBJ pen = SelectObject(dc, CreatePen(PS_NULL, 1, 0));
        HGDIOBJ brush = SelectObject(dc, CreateSolidBrush(area == 1 ? RGB(255, 0, 0) : RGB(0, 255, 0)));
        Rectangle(dc, 0, 0, 100, 100);
        DeleteObject(SelectObject(dc, pen));
        DeleteObject(SelectObject(dc, brush));
        oapiReleaseDC(surf, dc);
      }));
  std::string error;
  ASSERT_TRUE(sim.panels.writePng(scratch.file("panel.png"), error)) << error;
  const gditest::PngImage image = gditest::ReadPng(scratch.file("panel.png"));
  ASSERT_TRUE(image.ok);
  EXPECT_EQ(image.width, 30);
  EXPECT_EQ(image.height, 20);
  EXPECT_EQ(image.at(0, 0), 0x336699u);
  EXPECT_EQ(image.at(0, 19), 0x000000u);  // the colour key shows black
  EXPECT_EQ(image.at(2, 2), 0xFF0000u);
  EXPECT_EQ(image.at(5, 5), 0x00FF00u);  // the later area on top
  EXPECT_EQ(image.at(29, 19), 0x00FF00u);
  EXPECT_EQ(image.at(8, 8), 0x336699u);
}

TEST_F(PanelHostTest, WithoutABackgroundThePictureSpansTheAreasOnBlack) {
  gditest::ScratchFolder scratch;
  std::string error;
  EXPECT_FALSE(sim.panels.writePng(scratch.file("none.png"), error));  // nothing shown yet
  ASSERT_TRUE(Show(0, [](int) {
    oapiRegisterPanelArea(1, Rect(10, 4, 12, 6), PANEL_REDRAW_NEVER);
    oapiRegisterPanelArea(2, Rect(0, 0, 3, 9), PANEL_REDRAW_NEVER);
    return true;
  }));
  ASSERT_TRUE(sim.panels.writePng(scratch.file("panel.png"), error)) << error;
  const gditest::PngImage image = gditest::ReadPng(scratch.file("panel.png"));
  EXPECT_EQ(image.width, 12);
  EXPECT_EQ(image.height, 9);
  EXPECT_EQ(image.at(11, 8), 0u);
}

TEST_F(PanelHostTest, ANewPanelFreesTheOldOnesSurfacesWhichTheModuleCannotDestroy) {
  SURFHANDLE old = nullptr;
  ASSERT_TRUE(Show(0, [](int) {
    oapiRegisterPanelArea(1, Rect(0, 0, 4, 4));
    oapiRegisterPanelBackground(Background(4, 4, 0));
    return true;
  }));
  old = sim.panels.areas()[0].surface;
  oapiDestroySurface(old);  // the host's to free, not the module's
  HDC dc = oapiGetDC(old);
  EXPECT_NE(dc, nullptr);
  oapiReleaseDC(old, dc);
  HBITMAP oldBackground = sim.panels.background();
  ASSERT_TRUE(Show(1, [](int) { return true; }));
  EXPECT_EQ(oapiGetDC(old), nullptr);
  EXPECT_FALSE(wincanvas::isBitmap(oldBackground));
  EXPECT_FALSE(sim.panels.triggerRedraw(0, 1));
  EXPECT_EQ(sim.panels.shownPanel(), 1);
}

// An every-frame redraw that makes the same blits from unchanged sources is
// not carried out again, so the area must still show exactly what drawing it
// would: a changed source, a blit left out, or pixels changed by a DC or by
// another event's redraw all show at once.
TEST_F(PanelHostTest, RepeatedEveryFrameBlitsShowWhatDrawingThemWould) {
  SURFHANDLE source = oapiCreateSurface(4, 4);
  // The whole of `surf` in one colour, pen and brush alike.
  const auto paint = [](SURFHANDLE surf, COLORREF colour) {
    HDC dc = oapiGetDC(surf);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, brush);
    Rectangle(dc, 0, 0, 4, 4);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
    oapiReleaseDC(surf, dc);
  };
  paint(source, RGB(255, 0, 0));
  bool blitting = true;
  ASSERT_TRUE(Show(
      0,
      [](int) {
        oapiRegisterPanelBackground(Background(20, 10, 0x336699));
        oapiRegisterPanelArea(1, Rect(0, 0, 4, 4), PANEL_REDRAW_ALWAYS, 0, PANEL_MAP_BACKGROUND);
        oapiRegisterPanelArea(2, Rect(10, 0, 14, 4), PANEL_REDRAW_ALWAYS, 0, PANEL_MAP_CURRENT);
        return true;
      },
      [&](int area, int event, SURFHANDLE surf) {
        if (blitting && event == PANEL_REDRAW_ALWAYS)
          oapiBlt(surf, source, area == 1 ? 0 : 1, 0, 0, 0, 3, 3, SURF_NO_CK);
      }));
  // Read from the picture, which leaves the surfaces as they are.
  const auto shown = [&](int area) {
    std::string error;
    HBITMAP picture = sim.panels.composePicture(error);
    const uint32_t pixel = wincanvas::pixel(picture, area == 1 ? 1 : 11, 1);
    DeleteObject(picture);
    return pixel;
  };
  for (int frame = 0; frame < 2; ++frame) {
    sim.panels.frame();
    EXPECT_EQ(shown(1), 0xFF0000u);
    EXPECT_EQ(shown(2), 0xFF0000u);
  }
  paint(source, RGB(0, 255, 0));
  sim.panels.frame();
  EXPECT_EQ(shown(1), 0x00FF00u);
  EXPECT_EQ(shown(2), 0x00FF00u);
  // Pixels changed behind the last frame's back are drawn over again.
  paint(sim.panels.areas()[1].surface, RGB(0, 0, 255));
  oapiTriggerPanelRedrawArea(0, 1);  // drawn on the background alone
  sim.panels.frame();
  sim.panels.frame();
  EXPECT_EQ(shown(1), 0x00FF00u);
  EXPECT_EQ(shown(2), 0x00FF00u);
  blitting = false;
  sim.panels.frame();
  EXPECT_EQ(shown(1), 0x336699u);  // the background alone
  EXPECT_EQ(shown(2), 0x00FF00u);  // what it last showed
  oapiDestroySurface(source);
}
