#include "MfdHost.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "Bodies.h"
#include "HostMath.h"
#include "Vessel.h"
#include "wincanvas.h"

namespace host {

namespace {

// Without a registration a display has the host's usual six buttons a side.
constexpr int kDefaultButtonsPerSide = 6;
// Past this a screen would only cost memory; no panel is that large.
constexpr int kMaxScreenSide = 4096;
// Rows of text a screen is sized for: a title and eleven lines.
constexpr int kRows = 12;
// What a line holds at most at that size, in the monospaced face.
constexpr int kColumns = 22;
constexpr int kMaxPropellantLines = 6;

// The screen's dark green, as a pixel (0x00RRGGBB).
constexpr uint32_t kBackground = 0x001000;
constexpr COLORREF kTitleInk = RGB(255, 176, 0);
constexpr COLORREF kInk = RGB(0, 230, 64);
constexpr COLORREF kRule = RGB(0, 110, 30);

constexpr double kFeetPerMetre = 3.280839895;
constexpr double kPascalPerPsi = 6894.757293;
constexpr double kSlugFt3PerKgM3 = 0.00194032;

std::string Format(const char *format, double value) {
  if (!std::isfinite(value)) return "----";
  char text[48];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string Distance(double metres) {
  const double km = metres / 1000.0;
  return Format(std::fabs(km) < 1e6 ? "%.2f km" : "%.4e km", km);
}

std::string Angle(double radians) { return Format("%.2f\xB0", radians * 180.0 / M_PI); }

MfdHost::Page NextPage(MfdHost::Page page) {
  switch (page) {
    case MfdHost::Page::Orbit:
      return MfdHost::Page::Surface;
    case MfdHost::Page::Surface:
      return MfdHost::Page::Vessel;
    case MfdHost::Page::Vessel:
    case MfdHost::Page::Select:
      break;
  }
  return MfdHost::Page::Orbit;
}

double Mu(const Planet &planet) { return kGravitationalConstant * planet.planetMass; }

void OrbitPage(const Vessel &v, bool radii, std::vector<MfdLine> &lines) {
  const Planet &body = *v.reference;
  const OrbitElements e = OrbitOf(v.rpos, v.rvel, Mu(body), body.rotationAxis());
  lines.push_back({"ORBIT", body.name});
  lines.push_back({"Alt", Distance(e.radius - body.radius)});
  lines.push_back({"Vel", Format("%.1f m/s", e.speed)});
  lines.push_back({"SMa", e.bound ? Distance(e.semiMajorAxis) : "----"});
  const double shift = radii ? 0.0 : body.radius;
  lines.push_back({radii ? "ApR" : "ApA", e.bound ? Distance(e.apoapsisRadius - shift) : "----"});
  lines.push_back({radii ? "PeR" : "PeA", Distance(e.periapsisRadius - shift)});
  lines.push_back({"Ecc", Format("%.5f", e.eccentricity)});
  lines.push_back({"Inc", Angle(e.inclination)});
  lines.push_back({"T", e.bound ? Format("%.1f s", e.period) : "----"});
}

void SurfacePage(const Vessel &v, bool imperial, std::vector<MfdLine> &lines) {
  const Planet &body = *v.reference;
  const double altitude = v.altitude();
  const double airspeed = length(v.airspeedVector());
  const double climb = dot(v.rvel, unit(v.rpos));
  const double pressure = body.pressure(altitude);
  const double density = body.density(altitude);
  lines.push_back({"SURFACE", body.name});
  if (imperial) {
    lines.push_back({"Alt", Format("%.0f ft", altitude * kFeetPerMetre)});
    lines.push_back({"Air", Format("%.1f ft/s", airspeed * kFeetPerMetre)});
    lines.push_back({"VS", Format("%.1f ft/s", climb * kFeetPerMetre)});
  } else {
    lines.push_back({"Alt", Distance(altitude)});
    lines.push_back({"Air", Format("%.1f m/s", airspeed)});
    lines.push_back({"VS", Format("%.1f m/s", climb)});
  }
  lines.push_back({"Hdg", Angle(v.heading())});
  lines.push_back({"Pch", Angle(v.pitch())});
  lines.push_back({"Bnk", Angle(v.bank())});
  lines.push_back({"AoA", Angle(v.angleOfAttack())});
  if (imperial) {
    lines.push_back({"P", Format("%.4g psi", pressure / kPascalPerPsi)});
    lines.push_back({"Rho", Format("%.4g sl/ft\xB3", density * kSlugFt3PerKgM3)});
  } else {
    lines.push_back({"P", Format("%.4g kPa", pressure / 1000.0)});
    lines.push_back({"Rho", Format("%.4g kg/m\xB3", density)});
  }
}

double GroupThrust(const Vessel &v, THGROUP_TYPE type) {
  const ThrusterGroup *group = v.model.findGroup(type);
  double thrust = 0.0;
  if (group != nullptr)
    for (const Thruster *t : group->thrusters) thrust += t->level * t->maxThrust;
  return thrust;
}

void VesselPage(const Vessel &v, std::vector<MfdLine> &lines) {
  lines.push_back({"VESSEL", v.name});
  lines.push_back({"Mass", Format("%.1f kg", v.mass())});
  lines.push_back({"Empty", Format("%.1f kg", v.model.emptyMass)});
  const auto &propellants = v.model.propellants;
  for (size_t i = 0; i < propellants.size(); ++i) {
    if (i == kMaxPropellantLines) {
      lines.push_back({"...", Format("%.0f more", static_cast<double>(propellants.size() - i))});
      break;
    }
    const Propellant &p = *propellants[i];
    char label[16];
    std::snprintf(label, sizeof label, "Prp%zu", i + 1);
    lines.push_back({label, Format("%.1f%%", p.level() * 100.0) + " " + Format("%.0f kg", p.mass)});
  }
  const std::pair<const char *, THGROUP_TYPE> groups[] = {
      {"Main", THGROUP_MAIN}, {"Retro", THGROUP_RETRO}, {"Hover", THGROUP_HOVER}};
  for (const auto &[label, type] : groups) {
    const double level = v.thrusterGroupLevel(v.model.findGroup(type));
    lines.push_back({label, Format("%.1f kN", GroupThrust(v, type) / 1000.0) + " " + Format("%3.0f%%", level * 100.0)});
  }
}

}  // namespace

OrbitElements OrbitOf(const VECTOR3 &rpos, const VECTOR3 &rvel, double mu, const VECTOR3 &axis) {
  OrbitElements e;
  e.radius = length(rpos);
  e.speed = length(rvel);
  if (e.radius <= 0.0 || mu <= 0.0) return e;
  const VECTOR3 h = cross(rpos, rvel);
  const double hLength = length(h);
  // Eccentricity vector: points at periapsis, as long as the eccentricity.
  const VECTOR3 eVector = cross(rvel, h) * (1.0 / mu) - rpos * (1.0 / e.radius);
  e.eccentricity = length(eVector);
  const double energy = 0.5 * e.speed * e.speed - mu / e.radius;
  e.semiMajorAxis = energy != 0.0 ? -mu / (2.0 * energy) : std::numeric_limits<double>::infinity();
  // From the angular momentum, so that a parabola and a line fall out right.
  e.periapsisRadius = hLength * hLength / (mu * (1.0 + e.eccentricity));
  e.bound = energy < 0.0;
  if (e.bound) {
    e.apoapsisRadius = e.semiMajorAxis * (1.0 + e.eccentricity);
    e.period = 2.0 * M_PI * std::sqrt(e.semiMajorAxis * e.semiMajorAxis * e.semiMajorAxis / mu);
  } else {
    e.apoapsisRadius = std::numeric_limits<double>::infinity();
  }
  const double axisLength = length(axis);
  if (hLength > 0.0 && axisLength > 0.0)
    e.inclination = std::acos(std::max(-1.0, std::min(1.0, dot(h, axis) / (hLength * axisLength))));
  return e;
}

MfdHost::MfdHost() {
  // The right-hand display starts on the surface page, the others on the orbit.
  displays[MFD_RIGHT].page = displays[MFD_RIGHT].beforeSelect = Page::Surface;
}

MfdHost::~MfdHost() {
  for (Display &d : displays) {
    freeScreen(d);
    if (d.font != nullptr) DeleteObject(d.font);
  }
}

MfdHost::Display *MfdHost::display(int mfd) { return mfd >= 0 && mfd < MAXMFD ? &displays[mfd] : nullptr; }

const MfdHost::Display *MfdHost::display(int mfd) const {
  return mfd >= 0 && mfd < MAXMFD ? &displays[mfd] : nullptr;
}

void MfdHost::freeScreen(Display &d) {
  if (d.screen != nullptr) DeleteObject(d.screen);
  d.screen = nullptr;
}

void MfdHost::registerMfd(int mfd, const MFDSPEC &layout) {
  Display *d = display(mfd);
  if (d == nullptr) return;
  d->registered = true;
  d->layout = layout;
  d->layout.nbt_left = std::max(layout.nbt_left, 0);
  d->layout.nbt_right = std::max(layout.nbt_right, 0);
}

void MfdHost::forgetRegistrations() {
  for (Display &d : displays) {
    d.registered = false;
    d.layout = MFDSPEC{};
    freeScreen(d);
  }
}

const MFDSPEC *MfdHost::registration(int mfd) const {
  const Display *d = display(mfd);
  return d != nullptr && d->registered ? &d->layout : nullptr;
}

// The first four left buttons choose the page in every mode; the first right
// button is the page's own.
MfdHost::Action MfdHost::actionOf(const Display &d, int bt) const {
  const int left = d.registered ? d.layout.nbt_left : kDefaultButtonsPerSide;
  const int right = d.registered ? d.layout.nbt_right : kDefaultButtonsPerSide;
  if (bt < 0 || bt >= left + right) return Action::None;
  if (bt < left) {
    switch (bt) {
      case 0:
        return Action::Orbit;
      case 1:
        return Action::Surface;
      case 2:
        return Action::Vessel;
      case 3:
        return d.page == Page::Select ? Action::Back : Action::Select;
      default:
        return Action::None;
    }
  }
  if (bt == left) {
    if (d.page == Page::Orbit) return Action::Distance;
    if (d.page == Page::Surface) return Action::Units;
  }
  return Action::None;
}

const char *MfdHost::buttonLabel(int mfd, int bt) const {
  const Display *d = display(mfd);
  if (d == nullptr || !d->on) return nullptr;
  switch (actionOf(*d, bt)) {
    case Action::Orbit:
      return "ORB";
    case Action::Surface:
      return "SRF";
    case Action::Vessel:
      return "VSL";
    case Action::Select:
      return "MNU";
    case Action::Back:
      return "BCK";
    case Action::Distance:
      return "DST";
    case Action::Units:
      return "UNT";
    case Action::None:
      break;
  }
  return nullptr;
}

void MfdHost::notify(int mfd) {
  if (onModeChange) onModeChange(mfd, modeId(mfd));
}

void MfdHost::setPage(int mfd, Display &d, Page page) {
  if (d.page == page) return;
  if (page == Page::Select) d.beforeSelect = d.page;
  d.page = page;
  notify(mfd);
}

bool MfdHost::processButton(int mfd, int bt, int event) {
  Display *d = display(mfd);
  if (d == nullptr || !d->on || event != PANEL_MOUSE_LBDOWN) return false;
  switch (actionOf(*d, bt)) {
    case Action::Orbit:
      setPage(mfd, *d, Page::Orbit);
      return true;
    case Action::Surface:
      setPage(mfd, *d, Page::Surface);
      return true;
    case Action::Vessel:
      setPage(mfd, *d, Page::Vessel);
      return true;
    case Action::Select:
      setPage(mfd, *d, Page::Select);
      return true;
    case Action::Back:
      setPage(mfd, *d, d->beforeSelect);
      return true;
    case Action::Distance:
      d->radii = !d->radii;
      return true;
    case Action::Units:
      d->imperial = !d->imperial;
      return true;
    case Action::None:
      break;
  }
  return false;
}

bool MfdHost::sendKey(int mfd, DWORD key) {
  Display *d = display(mfd);
  if (d == nullptr || !d->on) return false;
  if (key == OAPI_KEY_F1) {
    setPage(mfd, *d, d->page == Page::Select ? d->beforeSelect : Page::Select);
    return true;
  }
  if (key == OAPI_KEY_GRAVE) {
    setPage(mfd, *d, NextPage(d->page == Page::Select ? d->beforeSelect : d->page));
    return true;
  }
  return false;
}

void MfdHost::togglePower(int mfd) {
  Display *d = display(mfd);
  if (d == nullptr) return;
  d->on = !d->on;
  notify(mfd);
}

bool MfdHost::powered(int mfd) const {
  const Display *d = display(mfd);
  return d != nullptr && d->on;
}

MfdHost::Page MfdHost::page(int mfd) const {
  const Display *d = display(mfd);
  return d != nullptr ? d->page : Page::Orbit;
}

int MfdHost::modeId(int mfd) const {
  const Display *d = display(mfd);
  if (d == nullptr || !d->on) return kMfdModeNone;
  switch (d->page) {
    case Page::Orbit:
      return kMfdModeOrbit;
    case Page::Surface:
      return kMfdModeSurface;
    case Page::Vessel:
      return kMfdModeVessel;
    case Page::Select:
      break;
  }
  return kMfdRefreshButtons;
}

std::vector<MfdLine> MfdHost::pageLines(int mfd, const Vessel *vessel) const {
  std::vector<MfdLine> lines;
  const Display *d = display(mfd);
  if (d == nullptr || !d->on) return lines;
  if (d->page == Page::Select) {
    lines.push_back({"MODE SELECT", ""});
    lines.push_back({"ORB  Orbit", ""});
    lines.push_back({"SRF  Surface", ""});
    lines.push_back({"VSL  Vessel", ""});
    lines.push_back({"BCK  Back", ""});
    return lines;
  }
  if (vessel == nullptr || vessel->reference == nullptr) {
    static const char *const titles[] = {"", "ORBIT", "SURFACE", "VESSEL"};
    lines.push_back({titles[static_cast<int>(d->page)], ""});
    lines.push_back({"No flight data", ""});
    return lines;
  }
  switch (d->page) {
    case Page::Orbit:
      OrbitPage(*vessel, d->radii, lines);
      break;
    case Page::Surface:
      SurfacePage(*vessel, d->imperial, lines);
      break;
    case Page::Vessel:
      VesselPage(*vessel, lines);
      break;
    case Page::Select:
      break;
  }
  return lines;
}

void MfdHost::draw(const Vessel *vessel) {
  for (int mfd = 0; mfd < MAXMFD; ++mfd)
    if (displays[mfd].registered) drawDisplay(mfd, displays[mfd], vessel);
}

void MfdHost::drawDisplay(int mfd, Display &d, const Vessel *vessel) {
  const long long w = static_cast<long long>(d.layout.pos.right) - d.layout.pos.left;
  const long long h = static_cast<long long>(d.layout.pos.bottom) - d.layout.pos.top;
  if (w < 1 || h < 1 || w > kMaxScreenSide || h > kMaxScreenSide) {
    freeScreen(d);
    return;
  }
  const int width = static_cast<int>(w), height = static_cast<int>(h);
  if (d.screen != nullptr && (wincanvas::width(d.screen) != width || wincanvas::height(d.screen) != height))
    freeScreen(d);
  if (d.screen == nullptr) d.screen = wincanvas::createBitmap(width, height);
  if (d.screen == nullptr) return;
  if (!d.on) {
    wincanvas::fill(d.screen, 0);
    return;
  }
  wincanvas::fill(d.screen, kBackground);

  // One face size fills the screen with kRows lines of kColumns characters;
  // a monospaced character is a little over half as wide as its cell is high.
  const int cell = std::max(6, std::min({height / kRows, static_cast<int>(width / (kColumns * 0.55)), 64}));
  if (d.font == nullptr || d.fontCell != cell) {
    if (d.font != nullptr) DeleteObject(d.font);
    d.font = CreateFontA(cell, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
    d.fontCell = cell;
  }
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ oldBitmap = SelectObject(dc, d.screen);
  HGDIOBJ oldFont = SelectObject(dc, d.font);
  HPEN rule = CreatePen(PS_SOLID, 1, kRule);
  HGDIOBJ oldPen = SelectObject(dc, rule);
  SetBkMode(dc, TRANSPARENT);

  const int margin = std::max(2, width / 32);
  int y = margin / 2;
  const std::vector<MfdLine> lines = pageLines(mfd, vessel);
  for (size_t i = 0; i < lines.size() && y + cell <= height; ++i) {
    const MfdLine &line = lines[i];
    SetTextColor(dc, i == 0 ? kTitleInk : kInk);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    TextOutA(dc, margin, y, line.label.c_str(), static_cast<int>(line.label.size()));
    SetTextAlign(dc, TA_RIGHT | TA_TOP);
    TextOutA(dc, width - margin, y, line.value.c_str(), static_cast<int>(line.value.size()));
    y += cell;
    if (i == 0) {
      MoveToEx(dc, margin, y + 1, nullptr);
      LineTo(dc, width - margin, y + 1);
      y += 4;
    }
  }

  SelectObject(dc, oldPen);
  DeleteObject(rule);
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteDC(dc);
}

void MfdHost::compose(HBITMAP canvas) const {
  for (const Display &d : displays)
    if (d.registered && d.screen != nullptr)
      wincanvas::copy(canvas, d.layout.pos.left, d.layout.pos.top, d.screen, 0, 0, wincanvas::width(d.screen),
                      wincanvas::height(d.screen));
}

HBITMAP MfdHost::screen(int mfd) const {
  const Display *d = display(mfd);
  return d != nullptr && d->registered ? d->screen : nullptr;
}

Extent MfdHost::extent() const {
  Extent extent;
  for (const Display &d : displays) {
    if (!d.registered) continue;
    if (d.layout.pos.right > d.layout.pos.left) extent.width = std::max<int>(extent.width, d.layout.pos.right);
    if (d.layout.pos.bottom > d.layout.pos.top) extent.height = std::max<int>(extent.height, d.layout.pos.bottom);
  }
  return extent;
}

}  // namespace host
