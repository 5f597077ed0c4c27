#include "PanelHost.h"

#include <algorithm>

#include "Surface.h"
#include "Vessel.h"
#include "VesselAPI.h"
#include "wincanvas.h"

namespace host {

namespace {

// A module's vessel through its VESSEL2 callbacks, as the host sends panel
// events.
class ModulePanelClient : public PanelClient {
 public:
  explicit ModulePanelClient(VESSEL2 &vessel) : callbacks(vessel) {}
  bool loadPanel(int panelId) override { return callbacks.clbkLoadPanel(panelId); }
  bool redrawEvent(int areaId, int event, SURFHANDLE surface) override {
    return callbacks.clbkPanelRedrawEvent(areaId, event, surface);
  }
  bool mouseEvent(int areaId, int event, int x, int y) override {
    return callbacks.clbkPanelMouseEvent(areaId, event, x, y);
  }
  void mfdMode(int mfd, int mode) override { callbacks.clbkMFDMode(mfd, mode); }

 private:
  VESSEL2 &callbacks;
};

bool contains(const RECT &rect, int x, int y) {
  return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// (rx, ry) measured from the rectangle's top left corner lies within it.
bool holds(const RECT &rect, int rx, int ry) {
  return rx >= 0 && ry >= 0 && rx < static_cast<long long>(rect.right) - rect.left &&
         ry < static_cast<long long>(rect.bottom) - rect.top;
}

}  // namespace

PanelHost::PanelHost() {
  mfdHost.onModeChange = [this](int mfd, int mode) {
    if (client) client->mfdMode(mfd, mode);
  };
}

PanelHost::~PanelHost() { forget(); }

void PanelHost::forget() {
  for (PanelArea &area : areaList) Surface::destroy(Surface::find(area.surface));
  areaList.clear();
  requested.clear();
  if (backgroundBitmap != nullptr) DeleteObject(backgroundBitmap);
  backgroundBitmap = nullptr;
  attachFlag = 0;
  colourKey = SURF_NO_CK;
  neighbourIds = PanelNeighbours();
  mfdHost.forgetRegistrations();
  shownVessel = nullptr;
  held = HeldButton();
  shown = false;
  panelId = -1;
  client.reset();
}

void PanelHost::hidePanel() { forget(); }

bool PanelHost::showPanel(Vessel &vessel, int id) {
  if (vessel.callbacks == nullptr) {
    forget();
    return false;
  }
  return showPanel(std::make_unique<ModulePanelClient>(*vessel.callbacks), id, &vessel);
}

bool PanelHost::showPanel(std::unique_ptr<PanelClient> newClient, int id, const Vessel *vessel) {
  forget();
  if (!newClient) return false;
  client = std::move(newClient);
  shownVessel = vessel;
  loading = true;
  const bool accepted = client->loadPanel(id);
  loading = false;
  if (!accepted) {
    forget();
    return false;
  }
  shown = true;
  panelId = id;
  for (const PanelArea &area : areaList) redraw(area, PANEL_REDRAW_INIT);
  return true;
}

void PanelHost::registerBackground(HBITMAP bitmap, DWORD flag, DWORD ck) {
  // The host owns the bitmap from here on, used or not.
  if (!loading) {
    if (bitmap != nullptr) DeleteObject(bitmap);
    return;
  }
  if (backgroundBitmap != nullptr) DeleteObject(backgroundBitmap);
  backgroundBitmap = nullptr;
  // Kept as a canvas of the host's: areas copy from it at every redraw, and
  // a canvas's pixels are read in place where a loaded bitmap's are not.
  if (wincanvas::isBitmap(bitmap)) {
    const int w = wincanvas::width(bitmap), h = wincanvas::height(bitmap);
    backgroundBitmap = wincanvas::createBitmap(w, h);
    wincanvas::copy(backgroundBitmap, 0, 0, bitmap, 0, 0, w, h);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  attachFlag = flag;
  colourKey = ck;
}

void PanelHost::setNeighbours(int left, int right, int top, int bottom) {
  if (loading) neighbourIds = PanelNeighbours{left, right, top, bottom};
}

void PanelHost::registerArea(int id, const RECT &rect, int drawEvent, int mouseEvent, int bkmode) {
  if (!loading) return;
  Surface *surface = nullptr;
  const long long w = static_cast<long long>(rect.right) - rect.left;
  const long long h = static_cast<long long>(rect.bottom) - rect.top;
  if (w > 0 && h > 0 && w <= INT32_MAX && h <= INT32_MAX)
    surface = Surface::create(static_cast<int>(w), static_cast<int>(h));
  if (surface != nullptr) surface->hostOwned = true;
  areaList.push_back(PanelArea{id, rect, drawEvent, mouseEvent, bkmode, surface ? surface->handle() : nullptr});
}

void PanelHost::registerMfd(int mfd, const MFDSPEC &layout) {
  if (loading) mfdHost.registerMfd(mfd, layout);
}

bool PanelHost::triggerRedraw(int panel, int areaId) {
  if (!shown || panel != panelId) return false;
  const bool known = std::any_of(areaList.begin(), areaList.end(), [&](const PanelArea &a) { return a.id == areaId; });
  if (!known) return false;
  if (std::find(requested.begin(), requested.end(), areaId) == requested.end()) requested.push_back(areaId);
  return true;
}

bool PanelHost::mapsBackground(const PanelArea &area) const {
  return area.bkmode == PANEL_MAP_BACKGROUND && backgroundBitmap != nullptr;
}

void PanelHost::copyBackground(const PanelArea &area, Surface &surface) const {
  wincanvas::copy(surface.bitmap(), 0, 0, backgroundBitmap, area.rect.left, area.rect.top, surface.width(),
                  surface.height());
  surface.touch();
}

void PanelHost::redraw(const PanelArea &area, int event) {
  Surface *surface = Surface::find(area.surface);
  if (surface != nullptr && mapsBackground(area)) copyBackground(area, *surface);
  client->redrawEvent(area.id, event, area.surface);
}

// Blits are copies, so doing the same ones again onto their own result
// changes nothing; under a background the same ones on the same background
// give the same pixels. Either way the area's pixels are what drawing every
// frame gives, at the cost of comparing a few records.
void PanelHost::redrawEveryFrame(PanelArea &area) {
  Surface *surface = Surface::find(area.surface);
  if (surface == nullptr) return redraw(area, PANEL_REDRAW_ALWAYS);
  recording.blits.clear();
  recording.carriedOut = false;
  recording.prepare = nullptr;
  if (mapsBackground(area)) recording.prepare = [&] { copyBackground(area, *surface); };
  surface->record(&recording);
  client->redrawEvent(area.id, PANEL_REDRAW_ALWAYS, area.surface);
  if (recording.carriedOut) {
    // Drawn through a DC as well: done as drawn, and nothing to compare with.
    area.drawn.clear();
    area.drawnVersion = 0;
    return;
  }
  if (surface->version() == area.drawnVersion && recording.blits == area.drawn) {
    surface->record(nullptr);
    return;
  }
  surface->carryOut();
  area.drawn.swap(recording.blits);
  area.drawnVersion = surface->version();
}

void PanelHost::frame() {
  if (!shown) return;
  for (PanelArea &area : areaList)
    if (area.drawEvent == PANEL_REDRAW_ALWAYS) redrawEveryFrame(area);
  // Requests made while these redraws run are for the next frame. The two
  // lists trade storage, so a frame allocates nothing.
  due.swap(requested);
  requested.clear();
  for (int id : due)
    for (const PanelArea &area : areaList)
      if (area.id == id) redraw(area, PANEL_REDRAW_USER);
  if (held.area < 0) return;
  const PanelArea &area = areaList[static_cast<size_t>(held.area)];
  const int pressedBit = held.right ? PANEL_MOUSE_RBPRESSED : PANEL_MOUSE_LBPRESSED;
  if ((area.mouseEvent & pressedBit) != 0) send(area, pressedBit, held.rx, held.ry);
}

const PanelArea *PanelHost::areaAt(int x, int y, int pressBit) const {
  for (auto area = areaList.rbegin(); area != areaList.rend(); ++area)
    if ((area->mouseEvent & pressBit) != 0 && contains(area->rect, x, y)) return &*area;
  return nullptr;
}

bool PanelHost::click(int x, int y, bool right) {
  if (!buttonDown(x, y, right)) return false;
  buttonUp();
  return true;
}

bool PanelHost::clickArea(int id, int rx, int ry, bool right) {
  if (!shown) return false;
  const int pressBit = right ? PANEL_MOUSE_RBDOWN : PANEL_MOUSE_LBDOWN;
  // Ids need not be unique: the topmost area of that id that can take it.
  for (auto area = areaList.rbegin(); area != areaList.rend(); ++area) {
    if (area->id != id || (area->mouseEvent & pressBit) == 0 || !holds(area->rect, rx, ry)) continue;
    press(*area, rx, ry, right);
    return true;
  }
  return false;
}

bool PanelHost::buttonDown(int x, int y, bool right) {
  buttonUp();
  if (!shown) return false;
  const PanelArea *area = areaAt(x, y, right ? PANEL_MOUSE_RBDOWN : PANEL_MOUSE_LBDOWN);
  if (area == nullptr) return false;
  held = HeldButton{static_cast<int>(area - areaList.data()), x - area->rect.left, y - area->rect.top, right};
  send(*area, right ? PANEL_MOUSE_RBDOWN : PANEL_MOUSE_LBDOWN, held.rx, held.ry);
  return true;
}

void PanelHost::buttonUp() {
  if (held.area < 0) return;
  const PanelArea &area = areaList[static_cast<size_t>(held.area)];
  const HeldButton released = held;
  held = HeldButton();
  release(area, released.rx, released.ry, released.right);
}

// The module's handlers cannot change the registrations, so the area stays put.
void PanelHost::press(const PanelArea &area, int rx, int ry, bool right) {
  send(area, right ? PANEL_MOUSE_RBDOWN : PANEL_MOUSE_LBDOWN, rx, ry);
  release(area, rx, ry, right);
}

void PanelHost::release(const PanelArea &area, int rx, int ry, bool right) {
  const int releaseBit = right ? PANEL_MOUSE_RBUP : PANEL_MOUSE_LBUP;
  if ((area.mouseEvent & releaseBit) != 0) send(area, releaseBit, rx, ry);
}

// A mouse event, and the redraw an area drawn on mouse events gets after it.
void PanelHost::send(const PanelArea &area, int event, int rx, int ry) {
  client->mouseEvent(area.id, event, rx, ry);
  if (area.drawEvent == PANEL_REDRAW_MOUSE) redraw(area, PANEL_REDRAW_MOUSE);
}

Extent PanelHost::extent() const {
  if (backgroundBitmap != nullptr) return Extent{wincanvas::width(backgroundBitmap), wincanvas::height(backgroundBitmap)};
  Extent extent = mfdHost.extent();
  for (const PanelArea &area : areaList) {
    if (area.surface == nullptr) continue;
    extent.width = std::max<int>(extent.width, area.rect.right);
    extent.height = std::max<int>(extent.height, area.rect.bottom);
  }
  return extent;
}

bool PanelHost::writePng(const std::string &path, std::string &error) {
  HBITMAP canvas = composePicture(error);
  if (canvas == nullptr) return false;
  const bool written = wincanvas::writePng(canvas, path, error);
  DeleteObject(canvas);
  return written;
}

HBITMAP PanelHost::composePicture(std::string &error) {
  if (!shown) {
    error = "no panel is shown";
    return nullptr;
  }
  const Extent size = extent();
  HBITMAP canvas = wincanvas::createBitmap(size.width, size.height);
  if (canvas == nullptr) {
    error = "panel " + std::to_string(panelId) + " has nothing to show";
    return nullptr;
  }
  if (backgroundBitmap != nullptr)
    wincanvas::copy(canvas, 0, 0, backgroundBitmap, 0, 0, size.width, size.height, colourKey);
  for (const PanelArea &area : areaList)
    if (Surface *surface = Surface::find(area.surface))
      wincanvas::copy(canvas, area.rect.left, area.rect.top, surface->bitmap(), 0, 0, surface->width(),
                      surface->height());
  mfdHost.draw(shownVessel);
  mfdHost.compose(canvas);
  return canvas;
}

}  // namespace host
