#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../module/HostFixture.h"
#include "../platform/GdiTestSupport.h"
#include "MfdHost.h"
#include "PanelHost.h"
#include "Surface.h"
#include "wincanvas.h"

namespace {

using host::MfdHost;
using Mode = std::pair<int, int>;  // (mfd, mode id) as ovcMFDmode gets them

// A module's panel side that registers what the test says, paints its areas
// white and notes every MFD mode it is told of.
class MfdPanels : public host::PanelClient {
 public:
  MfdPanels(std::vector<Mode> &log, std::function<bool(int)> load) : modes(log), onLoad(std::move(load)) {}
  bool loadPanel(int id) override { return onLoad(id); }
  bool redrawEvent(int, int, SURFHANDLE surface) override {
    if (host::Surface *s = host::Surface::find(surface)) wincanvas::fill(s->bitmap(), 0xFFFFFF);
    return true;
  }
  bool mouseEvent(int, int, int, int) override { return false; }
  void mfdMode(int mfd, int mode) override { modes.push_back({mfd, mode}); }

 private:
  std::vector<Mode> &modes;
  std::function<bool(int)> onLoad;
};

MFDSPEC Layout(LONG left, LONG top, LONG right, LONG bottom, int nLeft = 6, int nRight = 6) {
  return MFDSPEC{RECT{left, top, right, bottom}, nLeft, nRight, 20, 30};
}

class MfdHostTest : public HostFixture {
 protected:
  bool Show(int id, std::function<bool(int)> load, const host::Vessel *vessel = nullptr) {
    return sim.panels.showPanel(std::make_unique<MfdPanels>(modes, std::move(load)), id, vessel);
  }
  // A panel with one area under MFD 0's 200 x 200 screen.
  bool ShowScreen(const host::Vessel *vessel = nullptr) {
    return Show(
        0,
        [](int) {
          oapiRegisterPanelArea(1, RECT{0, 0, 300, 300}, PANEL_REDRAW_USER, PANEL_MOUSE_LBDOWN);
          oapiRegisterMFD(MFD_LEFT, Layout(50, 50, 250, 250));
          return true;
        },
        vessel);
  }
  std::vector<Mode> Take() {
    std::vector<Mode> taken;
    taken.swap(modes);
    return taken;
  }
  std::string Label(int mfd, int bt) {
    const char *label = oapiMFDButtonLabel(mfd, bt);
    return label != nullptr ? label : "-";
  }
  std::vector<std::string> Labels(int mfd, int count) {
    std::vector<std::string> labels;
    for (int bt = 0; bt < count; ++bt) labels.push_back(Label(mfd, bt));
    return labels;
  }
  // The value of the line labelled `label` on the page MFD `mfd` shows.
  std::string Line(int mfd, const std::string &label, const host::Vessel *vessel) {
    for (const host::MfdLine &line : sim.panels.mfds().pageLines(mfd, vessel))
      if (line.label == label) return line.value;
    return "(none)";
  }
  double Mu() const { return host::kGravitationalConstant * sim.planet.planetMass; }

  std::vector<Mode> modes;
};

}  // namespace

TEST_F(MfdHostTest, RegistrationsCountWhileAPanelLoadsAndGoWhenItChanges) {
  ASSERT_TRUE(Show(0, [](int) {
    oapiRegisterMFD(MFD_LEFT, Layout(10, 20, 110, 120));
    oapiRegisterMFD(MFD_RIGHT, Layout(200, 20, 300, 120, 4, 2));
    oapiRegisterMFD(MAXMFD, Layout(0, 0, 5, 5));
    return true;
  }));
  ASSERT_NE(sim.panels.mfds().registration(MFD_LEFT), nullptr);
  EXPECT_EQ(sim.panels.mfds().registration(MFD_LEFT)->pos.left, 10);
  EXPECT_EQ(sim.panels.mfds().registration(MFD_RIGHT)->nbt_left, 4);
  // Without a background the panel spans its screens too.
  EXPECT_EQ(sim.panels.extent().width, 300);
  oapiRegisterMFD(MFD_USER1, Layout(0, 0, 50, 50));  // too late: the panel is up
  EXPECT_EQ(sim.panels.mfds().registration(MFD_USER1), nullptr);

  ASSERT_TRUE(Show(1, [](int) { return true; }));
  EXPECT_EQ(sim.panels.mfds().registration(MFD_LEFT), nullptr);
  EXPECT_EQ(sim.panels.mfds().registration(MFD_RIGHT), nullptr);
}

TEST_F(MfdHostTest, EachModeHasItsLabelsAndTheButtonsAreThoseRegistered) {
  // Unregistered displays have six buttons a side.
  EXPECT_EQ(Labels(MFD_LEFT, 13),
            (std::vector<std::string>{"ORB", "SRF", "VSL", "MNU", "-", "-", "DST", "-", "-", "-", "-", "-", "-"}));
  EXPECT_EQ(Label(MFD_RIGHT, 6), "UNT");
  EXPECT_EQ(Label(MFD_LEFT, -1), "-");
  ASSERT_TRUE(oapiSendMFDKey(MFD_LEFT, OAPI_KEY_F1));
  EXPECT_EQ(Labels(MFD_LEFT, 7), (std::vector<std::string>{"ORB", "SRF", "VSL", "BCK", "-", "-", "-"}));

  // Four buttons left and two right: the right column starts at 4.
  ASSERT_TRUE(Show(0, [](int) {
    oapiRegisterMFD(MFD_RIGHT, Layout(0, 0, 100, 100, 4, 2));
    return true;
  }));
  EXPECT_EQ(Labels(MFD_RIGHT, 7), (std::vector<std::string>{"ORB", "SRF", "VSL", "MNU", "UNT", "-", "-"}));
  EXPECT_FALSE(oapiProcessMFDButton(MFD_RIGHT, 6, PANEL_MOUSE_LBDOWN));
  oapiToggleMFD_on(MFD_RIGHT);
  EXPECT_EQ(Labels(MFD_RIGHT, 6), std::vector<std::string>(6, "-"));
}

TEST_F(MfdHostTest, ButtonsAndKeysChangeModesAndTellTheShownPanelsModule) {
  ASSERT_TRUE(ShowScreen());
  ASSERT_EQ(sim.panels.mfds().modeId(MFD_LEFT), host::kMfdModeOrbit);
  EXPECT_TRUE(oapiProcessMFDButton(MFD_LEFT, 1, PANEL_MOUSE_LBDOWN));
  EXPECT_EQ(Take(), (std::vector<Mode>{{MFD_LEFT, host::kMfdModeSurface}}));
  // The mode it is in already: handled, nothing to tell.
  EXPECT_TRUE(oapiProcessMFDButton(MFD_LEFT, 1, PANEL_MOUSE_LBDOWN));
  EXPECT_FALSE(oapiProcessMFDButton(MFD_LEFT, 2, PANEL_MOUSE_LBUP));
  EXPECT_FALSE(oapiProcessMFDButton(MFD_LEFT, 5, PANEL_MOUSE_LBDOWN));
  EXPECT_FALSE(oapiProcessMFDButton(MAXMFD, 0, PANEL_MOUSE_LBDOWN));
  EXPECT_TRUE(Take().empty());

  // The select page and back, by button and by key.
  EXPECT_TRUE(oapiProcessMFDButton(MFD_LEFT, 3, PANEL_MOUSE_LBDOWN));
  EXPECT_TRUE(oapiProcessMFDButton(MFD_LEFT, 3, PANEL_MOUSE_LBDOWN));
  EXPECT_TRUE(oapiSendMFDKey(MFD_LEFT, OAPI_KEY_F1));
  EXPECT_TRUE(oapiProcessMFDButton(MFD_LEFT, 2, PANEL_MOUSE_LBDOWN));
  EXPECT_EQ(Take(), (std::vector<Mode>{{MFD_LEFT, host::kMfdRefreshButtons},
                                       {MFD_LEFT, host::kMfdModeSurface},
                                       {MFD_LEFT, host::kMfdRefreshButtons},
                                       {MFD_LEFT, host::kMfdModeVessel}}));

  // The next mode, in a ring, also from the select page.
  EXPECT_TRUE(oapiSendMFDKey(MFD_LEFT, OAPI_KEY_GRAVE));
  EXPECT_TRUE(oapiSendMFDKey(MFD_LEFT, OAPI_KEY_F1));
  EXPECT_TRUE(oapiSendMFDKey(MFD_LEFT, OAPI_KEY_GRAVE));
  EXPECT_FALSE(oapiSendMFDKey(MFD_LEFT, OAPI_KEY_J));
  EXPECT_EQ(Take(), (std::vector<Mode>{{MFD_LEFT, host::kMfdModeOrbit},
                                       {MFD_LEFT, host::kMfdRefreshButtons},
                                       {MFD_LEFT, host::kMfdModeSurface}}));

  // Off, a display takes no buttons or keys; on again, it is where it was.
  oapiToggleMFD_on(MFD_LEFT);
  EXPECT_FALSE(sim.panels.mfds().powered(MFD_LEFT));
  EXPECT_FALSE(oapiProcessMFDButton(MFD_LEFT, 0, PANEL_MOUSE_LBDOWN));
  EXPECT_FALSE(oapiSendMFDKey(MFD_LEFT, OAPI_KEY_GRAVE));
  oapiToggleMFD_on(MFD_LEFT);
  EXPECT_EQ(Take(), (std::vector<Mode>{{MFD_LEFT, host::kMfdModeNone}, {MFD_LEFT, host::kMfdModeSurface}}));

  // Displays keep their modes across panels; with none shown nobody is told.
  sim.panels.hidePanel();
  EXPECT_TRUE(oapiSendMFDKey(MFD_LEFT, OAPI_KEY_GRAVE));
  EXPECT_EQ(sim.panels.mfds().page(MFD_LEFT), MfdHost::Page::Vessel);
  EXPECT_TRUE(Take().empty());
}

TEST(MfdOrbit, CircularEllipticalAndEscapeOrbits) {
  const double mu = host::kGravitationalConstant * 5.973698968e24;
  const VECTOR3 north = _V(0, 1, 0);
  // 300 km above a planet of 6378 km: equal apsides and 5431 s.
  const double r = 6.378e6 + 300e3;
  const host::OrbitElements circle = host::OrbitOf(_V(r, 0, 0), _V(0, 0, -std::sqrt(mu / r)), mu, north);
  EXPECT_NEAR(circle.apoapsisRadius - 6.378e6, 300e3, 1e3);
  EXPECT_NEAR(circle.periapsisRadius - 6.378e6, 300e3, 1e3);
  EXPECT_NEAR(circle.eccentricity, 0.0, 1e-9);
  EXPECT_NEAR(circle.inclination, 0.0, 1e-9);
  EXPECT_NEAR(circle.period, 5431, 1);

  // From periapsis at 200 km towards 2000 km, heading east and 30 degrees north.
  const double rp = 6.371e6 + 200e3, ra = 6.371e6 + 2000e3;
  const double vp = std::sqrt(mu * 2 * ra / (rp * (ra + rp)));
  const double tilt = 30.0 * M_PI / 180.0;
  const host::OrbitElements e =
      host::OrbitOf(_V(rp, 0, 0), _V(0, vp * std::sin(tilt), -vp * std::cos(tilt)), mu, north);
  EXPECT_NEAR(e.periapsisRadius, rp, 1.0);
  EXPECT_NEAR(e.apoapsisRadius, ra, 1.0);
  EXPECT_NEAR(e.eccentricity, (ra - rp) / (ra + rp), 1e-9);
  EXPECT_NEAR(e.period, 2 * M_PI * std::sqrt(std::pow((ra + rp) / 2, 3) / mu), 1e-3);
  EXPECT_NEAR(e.inclination, tilt, 1e-9);
  // Half an orbit later, at apoapsis and going west: retrograde.
  const host::OrbitElements back = host::OrbitOf(_V(-ra, 0, 0), _V(0, 0, -vp * rp / ra), mu, north);
  EXPECT_NEAR(back.periapsisRadius, rp, 1.0);
  EXPECT_NEAR(back.inclination, M_PI, 1e-9);

  const host::OrbitElements escape = host::OrbitOf(_V(rp, 0, 0), _V(0, 0, -1.2 * std::sqrt(2 * mu / rp)), mu, north);
  EXPECT_FALSE(escape.bound);
  EXPECT_NEAR(escape.periapsisRadius, rp, 1.0);
  EXPECT_TRUE(std::isinf(escape.apoapsisRadius));
}

TEST_F(MfdHostTest, PagesShowTheShownVesselsFlightData) {
  host::Vessel *ship = OrbitingVessel("Ship");
  ASSERT_TRUE(ShowScreen(ship));
  EXPECT_EQ(sim.panels.mfds().pageLines(MFD_LEFT, ship).front().value, "Earth");
  EXPECT_EQ(Line(MFD_LEFT, "ApA", ship), "300.00 km");
  EXPECT_EQ(Line(MFD_LEFT, "PeA", ship), "300.00 km");
  EXPECT_EQ(Line(MFD_LEFT, "Ecc", ship), "0.00000");
  EXPECT_EQ(Line(MFD_LEFT, "T", ship), "5422.5 s");
  ASSERT_TRUE(oapiProcessMFDButton(MFD_LEFT, 6, PANEL_MOUSE_LBDOWN));  // DST: radii
  EXPECT_EQ(Line(MFD_LEFT, "ApR", ship), "6671.00 km");

  ASSERT_TRUE(oapiProcessMFDButton(MFD_LEFT, 1, PANEL_MOUSE_LBDOWN));
  EXPECT_EQ(Line(MFD_LEFT, "Alt", ship), "300.00 km");
  EXPECT_EQ(Line(MFD_LEFT, "VS", ship), "0.0 m/s");
  EXPECT_EQ(Line(MFD_LEFT, "Pch", ship), "0.00\xB0");
  EXPECT_EQ(Line(MFD_LEFT, "P", ship), "4.761e-14 kPa");  // 101325 Pa x exp(-300 km / 8.5 km)
  ASSERT_TRUE(oapiProcessMFDButton(MFD_LEFT, 6, PANEL_MOUSE_LBDOWN));  // UNT: feet
  EXPECT_EQ(Line(MFD_LEFT, "Alt", ship), "984252 ft");

  ship->model.emptyMass = 1000;
  ship->model.propellants.push_back(ship->model.make<host::Propellant>(500.0, 125.0, 1.0));
  auto engine = ship->model.make<host::Thruster>(_V(0, 0, 0), _V(0, 0, 1), 20000.0,
                                                 ship->model.propellants[0].get(), 3000.0, 0.0, 0.0, 0.5);
  auto main = ship->model.make<host::ThrusterGroup>(THGROUP_MAIN, std::vector<host::Thruster *>{engine.get()});
  ship->model.thrusters.push_back(std::move(engine));
  ship->model.groups.push_back(std::move(main));
  ASSERT_TRUE(oapiProcessMFDButton(MFD_LEFT, 2, PANEL_MOUSE_LBDOWN));
  EXPECT_EQ(Line(MFD_LEFT, "Mass", ship), "1125.0 kg");
  EXPECT_EQ(Line(MFD_LEFT, "Empty", ship), "1000.0 kg");
  EXPECT_EQ(Line(MFD_LEFT, "Prp1", ship), "25.0% 125 kg");
  EXPECT_EQ(Line(MFD_LEFT, "Main", ship), "10.0 kN  50%");
  EXPECT_EQ(Line(MFD_LEFT, "Retro", ship), "0.0 kN   0%");

  // Without a vessel there is nothing to show but the title.
  EXPECT_EQ(sim.panels.mfds().pageLines(MFD_LEFT, nullptr).size(), 2u);
}

TEST_F(MfdHostTest, ThePanelImageShowsTheScreenOverTheAreasAndBlackWhenOff) {
  gditest::ScratchFolder folder;
  host::Vessel *ship = OrbitingVessel("Ship");
  ASSERT_TRUE(ShowScreen(ship));
  constexpr uint32_t kInk = 0x00E640, kTitle = 0xFFB000, kArea = 0xFFFFFF;
  auto inside = [](int x, int y) { return x >= 50 && x < 250 && y >= 50 && y < 250; };

  std::string error;
  ASSERT_TRUE(sim.panels.writePng(folder.file("on.png"), error)) << error;
  gditest::PngImage on = gditest::ReadPng(folder.file("on.png"));
  ASSERT_TRUE(on.ok);
  ASSERT_EQ(on.width, 300);
  int ink = 0, title = 0, areaInside = 0, areaOutside = 0, outsideTotal = 0;
  for (int y = 0; y < on.height; ++y)
    for (int x = 0; x < on.width; ++x) {
      const uint32_t p = on.at(x, y);
      if (inside(x, y)) {
        ink += p == kInk;
        title += p == kTitle && y < 80;
        areaInside += p == kArea;
      } else {
        ++outsideTotal;
        areaOutside += p == kArea;
      }
    }
  EXPECT_GT(ink, 500);  // nine lines of figures
  EXPECT_GT(title, 50);
  EXPECT_EQ(areaInside, 0);
  EXPECT_EQ(areaOutside, outsideTotal);

  // Drawing the displays paints the screen the panel shows.
  sim.panels.mfds().draw(ship);
  HBITMAP screen = sim.panels.mfds().screen(MFD_LEFT);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(wincanvas::width(screen), 200);
  EXPECT_EQ(wincanvas::pixel(screen, 199, 199), 0x001000u);

  oapiToggleMFD_on(MFD_LEFT);
  ASSERT_TRUE(sim.panels.writePng(folder.file("off.png"), error)) << error;
  gditest::PngImage off = gditest::ReadPng(folder.file("off.png"));
  ASSERT_TRUE(off.ok);
  for (int y = 50; y < 250; ++y)
    for (int x = 50; x < 250; ++x) ASSERT_EQ(off.at(x, y), 0u) << x << ", " << y;
  EXPECT_EQ(off.at(10, 10), kArea);
}
