// The shown 2D panel: what the module registered for it while it loaded
// (background, areas, neighbours), the redraw and mouse events the host sends
// its areas, and the picture the user would see.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "MfdHost.h"
#include "OrbiterAPI.h"
#include "Surface.h"

namespace host {

class Surface;
class Vessel;

// The module side of a panel: the three panel entry points of one vessel.
class PanelClient {
 public:
  virtual ~PanelClient() = default;
  virtual bool loadPanel(int panelId) = 0;
  virtual bool redrawEvent(int areaId, int event, SURFHANDLE surface) = 0;
  virtual bool mouseEvent(int areaId, int event, int x, int y) = 0;
  // A host MFD changed mode (see MfdHost for the ids).
  virtual void mfdMode(int mfd, int mode) {}
};

struct PanelArea {
  int id;
  RECT rect;
  int drawEvent;
  int mouseEvent;
  int bkmode;
  // The area's own surface, the rectangle's size; null for an empty or
  // oversized rectangle.
  SURFHANDLE surface;
  // The blits of the last every-frame redraw that was carried out, and the
  // surface's version after it: a redraw that makes the same blits from the
  // same sources onto an unchanged surface would change no pixel.
  std::vector<SurfaceBlit> drawn = {};
  uint64_t drawnVersion = 0;
};

// Panel ids beside the shown one; -1 for none.
struct PanelNeighbours {
  int left = -1;
  int right = -1;
  int top = -1;
  int bottom = -1;
};

class PanelHost {
 public:
  PanelHost();
  ~PanelHost();
  PanelHost(const PanelHost &) = delete;
  PanelHost &operator=(const PanelHost &) = delete;

  // Shows panel `id` of `vessel`: forgets the previous panel's registrations,
  // calls the module's ovcLoadPanel(instance, id) while recording what it
  // registers, and on success sends every area one PANEL_REDRAW_INIT. False
  // when the vessel has no module or the module refuses.
  bool showPanel(Vessel &vessel, int id);
  // The same with any client (tests drive the host through this one); the
  // MFDs show the flight data of `vessel` when there is one.
  bool showPanel(std::unique_ptr<PanelClient> client, int id, const Vessel *vessel = nullptr);
  // No panel shown; registrations and surfaces freed.
  void hidePanel();
  bool panelShown() const { return shown; }
  int shownPanel() const { return shown ? panelId : -1; }

  // One frame's redraws: PANEL_REDRAW_ALWAYS to the areas registered for it,
  // then PANEL_REDRAW_USER to those requested since the last frame. The MFD
  // screens are not among them: only the picture shows them, and it draws
  // them afresh.
  void frame();

  // A press and release of the left (or right) button at panel pixel (x, y),
  // sent to the topmost area there that takes that button's press. False
  // when none does.
  bool click(int x, int y, bool right);
  // The same on area `id` itself at (rx, ry) within it, whatever lies over
  // it. False when no area `id` holds that point and takes that button.
  bool clickArea(int id, int rx, int ry, bool right);
  // A button held: its press at panel pixel (x, y) on the topmost area there
  // that takes it, the held event every frame to an area that asks for it,
  // and the release when it comes up (or at another press, or when the panel
  // goes). False when no area takes the press.
  bool buttonDown(int x, int y, bool right);
  void buttonUp();
  // The area a press of that button at panel pixel (x, y) goes to, or null.
  const PanelArea *pressedArea(int x, int y, bool right) const {
    return areaAt(x, y, right ? PANEL_MOUSE_RBDOWN : PANEL_MOUSE_LBDOWN);
  }

  // The panel as the user sees it: the background (its colour key shown
  // black), then every area's surface in registration order, then the
  // registered MFDs' screens drawn afresh.
  bool writePng(const std::string &path, std::string &error);
  // The same picture in a new bitmap the caller frees with DeleteObject;
  // null with a reason when there is nothing to show.
  HBITMAP composePicture(std::string &error);

  const std::vector<PanelArea> &areas() const { return areaList; }
  const PanelNeighbours &neighbours() const { return neighbourIds; }
  HBITMAP background() const { return backgroundBitmap; }
  DWORD backgroundFlag() const { return attachFlag; }
  DWORD backgroundColourKey() const { return colourKey; }
  // The background's size, or without one the extent of the areas and MFDs.
  Extent extent() const;

  // The oapi side. Registrations count only while a panel loads; a redraw
  // request only for an area of the shown panel.
  void registerBackground(HBITMAP bitmap, DWORD flag, DWORD ck);
  void setNeighbours(int left, int right, int top, int bottom);
  void registerArea(int id, const RECT &rect, int drawEvent, int mouseEvent, int bkmode);
  bool triggerRedraw(int panel, int areaId);
  void registerMfd(int mfd, const MFDSPEC &layout);

  // The host's MFDs; mode changes reach the shown panel's module.
  MfdHost &mfds() { return mfdHost; }
  const MfdHost &mfds() const { return mfdHost; }

 private:
  void forget();
  bool mapsBackground(const PanelArea &area) const;
  // The background under `area` into its surface, which then has changed.
  void copyBackground(const PanelArea &area, Surface &surface) const;
  void redraw(const PanelArea &area, int event);
  // The every-frame redraw, its blits recorded and carried out only when
  // they differ from the last frame's.
  void redrawEveryFrame(PanelArea &area);
  BlitRecording recording;
  const PanelArea *areaAt(int x, int y, int pressBit) const;
  void press(const PanelArea &area, int rx, int ry, bool right);
  void release(const PanelArea &area, int rx, int ry, bool right);
  void send(const PanelArea &area, int event, int rx, int ry);

  struct HeldButton {
    int area = -1;  // its place in areaList; -1 when none is held
    int rx = 0, ry = 0;
    bool right = false;
  };

  std::unique_ptr<PanelClient> client;
  const Vessel *shownVessel = nullptr;
  MfdHost mfdHost;
  bool loading = false;
  bool shown = false;
  int panelId = -1;
  std::vector<PanelArea> areaList;
  std::vector<int> requested;  // area ids, each once, in request order
  std::vector<int> due;        // those a frame redraws; kept to keep its storage
  HBITMAP backgroundBitmap = nullptr;
  DWORD attachFlag = 0;
  DWORD colourKey = SURF_NO_CK;
  PanelNeighbours neighbourIds;
  HeldButton held;
};

}  // namespace host
