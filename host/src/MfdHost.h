// The host's multi-function displays: twelve of them (MAXMFD), each with its
// power and mode, shown on a 2D panel in the screen rectangle the module
// registers for it while the panel loads. The host draws them itself, from
// the flight state of the vessel whose panel is shown.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "OrbiterAPI.h"

namespace host {

class Vessel;

// The mode ids ovcMFDmode receives, numbered as the host SDK numbers its
// MFD modes.
constexpr int kMfdModeNone = 0;  // the display was switched off
constexpr int kMfdModeOrbit = 1;
constexpr int kMfdModeSurface = 2;
constexpr int kMfdModeVessel = 64;  // the first id past the built-in ones
// The mode-select page is no mode of its own: it only changes the labels.
constexpr int kMfdRefreshButtons = -1;

// The two-body orbit of a position and velocity relative to a body with
// gravitational parameter mu; inclination against the plane normal to `axis`
// (the body's rotation axis). Apoapsis, period and mean motion only exist for
// a bound orbit; an unbound one has an infinite apoapsis and no period.
struct OrbitElements {
  double radius = 0.0;
  double speed = 0.0;
  double semiMajorAxis = 0.0;  // negative for a hyperbola
  double eccentricity = 0.0;
  double inclination = 0.0;  // radians, 0..pi
  double periapsisRadius = 0.0;
  double apoapsisRadius = 0.0;
  double period = 0.0;  // seconds
  bool bound = false;
};
OrbitElements OrbitOf(const VECTOR3 &rpos, const VECTOR3 &rvel, double mu, const VECTOR3 &axis);

// One line of a display: a label on the left and a value flush right. The
// first line of a page is its title.
struct MfdLine {
  std::string label;
  std::string value;
};

// A size in panel pixels.
struct Extent {
  int width = 0;
  int height = 0;
};

class MfdHost {
 public:
  enum class Page { Select, Orbit, Surface, Vessel };

  MfdHost();
  ~MfdHost();
  MfdHost(const MfdHost &) = delete;
  MfdHost &operator=(const MfdHost &) = delete;

  // Told (mfd, mode id) whenever a display changes mode or power.
  std::function<void(int, int)> onModeChange;

  // The screen rectangle and buttons of display `mfd` on the panel being
  // loaded; out-of-range numbers are ignored.
  void registerMfd(int mfd, const MFDSPEC &layout);
  // The panel changed: no display is on screen until registered again.
  // Power and modes stay, as they are the displays' own.
  void forgetRegistrations();
  // Null when `mfd` is not on the shown panel.
  const MFDSPEC *registration(int mfd) const;

  // The label of button `bt` (left column from 0, then the right column);
  // null when the display is off, the button has no label or is no button.
  const char *buttonLabel(int mfd, int bt) const;
  // A press of button `bt`: true when the display acted on it.
  bool processButton(int mfd, int bt, int event);
  // OAPI_KEY_F1 opens (or leaves) the mode-select page, OAPI_KEY_GRAVE goes
  // to the next mode; true when handled.
  bool sendKey(int mfd, DWORD key);
  void togglePower(int mfd);

  bool powered(int mfd) const;
  Page page(int mfd) const;
  // The id ovcMFDmode gets for the display's state now.
  int modeId(int mfd) const;

  // What the display shows now for `vessel` (null: no flight data).
  std::vector<MfdLine> pageLines(int mfd, const Vessel *vessel) const;
  // Redraws every registered display into its screen bitmap.
  void draw(const Vessel *vessel);
  // Copies every registered display's last picture onto `canvas`, each at its
  // screen rectangle.
  void compose(HBITMAP canvas) const;
  // The display's last picture; null when it is not registered.
  HBITMAP screen(int mfd) const;
  // The right and bottom edges of the registered screens (0 without any).
  Extent extent() const;

 private:
  struct Display {
    bool on = true;
    Page page = Page::Orbit;
    Page beforeSelect = Page::Orbit;  // where the select page returns to
    bool registered = false;
    MFDSPEC layout = {};
    bool radii = false;     // Orbit: apsides as radii, not altitudes
    bool imperial = false;  // Surface: feet and pounds
    HBITMAP screen = nullptr;
    HFONT font = nullptr;
    int fontCell = 0;
  };
  enum class Action { None, Orbit, Surface, Vessel, Select, Back, Distance, Units };

  Display *display(int mfd);
  const Display *display(int mfd) const;
  Action actionOf(const Display &d, int bt) const;
  void setPage(int mfd, Display &d, Page page);
  void notify(int mfd);
  void drawDisplay(int mfd, Display &d, const Vessel *vessel);
  void freeScreen(Display &d);

  Display displays[MAXMFD];
};

}  // namespace host
