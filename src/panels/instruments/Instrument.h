// The base of every panel instrument: where it sits, the area the host knows
// it by, and the operations the panel's event dispatch calls.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include <Orbitersdk.h>

#include "config/VariableRef.h"
#include "config/VariableTable.h"
#include "config/text/Keywords.h"
#include "config/text/Sizes.h"

class DrawingResources;

// What a press asks of the panel: nothing, to apply the lighting switches'
// levels, or (above 1) the key code for the vessel to press.
enum SwitchAction : int32_t { kActionNone = 0, kActionLighting = 1 };

// What a redraw draws with: the area's surface, the vessel's drawing
// resources and the panel's lighting.
struct DrawContext {
  SURFHANDLE surface = nullptr;
  const DrawingResources *resources = nullptr;
  bool lit = false;
  bool textLit = false;
};

// Panel geometry (positions, sizes, counts of pixels) is kept within this
// magnitude, so that sums and small multiples of it stay within int.
constexpr int32_t kCoordinateLimit = 1 << 20;
inline int32_t BoundedCoordinate(int32_t value) { return std::clamp(value, -kCoordinateLimit, kCoordinateLimit); }
// A colour from the files: each component's low byte.
inline COLORREF ColourOf(const int32_t rgb[3]) { return RGB(rgb[0] & 0xFF, rgb[1] & 0xFF, rgb[2] & 0xFF); }
// A pixel number read as a real: rounded toward zero, NaN counting as 0.
inline int32_t BoundedCoordinate(double value) {
  if (!(value == value)) return 0;
  return static_cast<int32_t>(std::clamp(value, -double{kCoordinateLimit}, double{kCoordinateLimit}));
}

class Instrument : public VariablePublisher {
 public:
  Instrument(int32_t panelNumber, int32_t left, int32_t top);
  virtual ~Instrument() = default;
  Instrument(const Instrument &) = delete;
  Instrument &operator=(const Instrument &) = delete;

  virtual void RegisterArea(int32_t id) {}
  virtual void Redraw(const DrawContext &context) {}
  virtual void FrameRedraw(const DrawContext &context) {}
  // A press returns what the panel is to do after it.
  virtual int32_t LeftPress(int mx, int my) { return kActionNone; }
  virtual int32_t RightPress(int mx, int my) { return kActionNone; }
  virtual void ButtonUp() {}
  virtual void LightingChanged(bool lit) {}
  // The host MFD an instrument shows; -1 for every kind but the panel MFD.
  virtual int32_t MfdNumber() const { return -1; }

  int32_t x, y;
  int32_t width = 0, height = 0;
  int32_t areaId = -1;
  char name[kNameSize] = "";
  int32_t bitmap = 0;
  // The number of the panel the instrument is on.
  int32_t panel;

 protected:
  // Registers the area with the host and remembers its id.
  void Register(int32_t id, const RECT &area, int redrawMode, int mouseMask, int surfaceMode);
  void RequestRedraw() const;
  // Blits `w` x `h` from the class bitmap at (sx, sy) to (tx, ty) of the
  // context's surface; nothing without a bitmap.
  void BlitBitmap(const DrawContext &context, int tx, int ty, int sx, int sy, int w, int h, DWORD colourKey) const;
  // Paints `surface` white over `side` x `side` pixels (white is keyed out
  // when it is blitted) with the black triangle `points` on it.
  static void DrawTriangle(const DrawingResources *r, SURFHANDLE surface, int32_t side, const POINT points[3]);
};

// An instrument that shows or sets one variable through its variable slot:
// "SRCP" is the slot itself, "SRC" the variable it holds.
template <typename T>
class BoundInstrument : public Instrument {
 public:
  using Instrument::Instrument;
  // What the instrument shows and sets: null while unbound; a variable whose
  // object is gone leaves the instrument on a still value.
  T *Variable() { return variable.Gone() ? &still : variable.Get(); }
  const T *Variable() const { return variable.Gone() ? &still : variable.Get(); }

  Bound<T> variable;

 protected:
  // "SRCP" is the slot, "SRC" the variable it holds. The instrument's own
  // variables (its position, what it shows) are declared before it.
  void Publish(VariableTable &table) override { table.AddSlot("SRC", variable); }

 private:
  T still{};
};
