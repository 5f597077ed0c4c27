// What a class file gives each kind of instrument, by name. A class keeps
// its keywords' numbers in shared numbered slots (a later keyword writing a
// slot an earlier one wrote wins, whatever the kind); `Of` is the one place
// that knows which slot holds what for a kind.
#pragma once

#include <cstdint>

struct InstrumentClass;

// Every kind: SIZE and BITMAP.
struct AreaLook {
  int32_t width, height, bitmap;
  static AreaLook Of(const InstrumentClass &c);
};

// ROTATIONAL: MAX and MIN (value, degrees), CENTER, NEEDLE (width, length).
struct RotationalLook {
  double maxValue, maxDegrees, minValue, minDegrees;
  int32_t pivotX, pivotY, needleWidth, needleLength;
  static RotationalLook Of(const InstrumentClass &c);
};

// TEXT: FONT (its height is the area's), COLOR and NOCOL with their pens.
struct TextLook {
  int32_t font = 0, litPen = 0, unlitPen = 0;
  int32_t litColour[3] = {}, unlitColour[3] = {};
  int32_t labelHeight = 0;
  static TextLook Of(const InstrumentClass &c);
};

// LINEAR: MAX and MIN (the pointer's x and y at each end of the scale),
// NEEDLE (pointer width and size), ROTATE (degrees, kept in radians).
struct LinearLook {
  double highX = 0, highY = 0, lowX = 0, lowY = 0;
  double rotation = 0;
  int32_t pointerWidth = 0, pointerSize = 0;
  static LinearLook Of(const InstrumentClass &c);
};

// TB: BLINK, the period's rate.
struct TalkbackLook {
  double blinkRate;
  static TalkbackLook Of(const InstrumentClass &c);
};

// SELECT: the first numbers of MAX and MIN.
struct SelectLook {
  int32_t highestPosition, lowestPosition;
  static SelectLook Of(const InstrumentClass &c);
};

// PLOT: MAX (scroll limit, y at the vertical high), MIN (x at the horizontal
// origin, y at the vertical low), BUGSIZE, TRACE, MASK1 (overlay) and MASK2
// (the bug).
struct PlotLook {
  int32_t scrollLimit = 0, yAtHigh = 0, xAtOrigin = 0, yAtLow = 0;
  int32_t bugWidth = 0, bugHeight = 0;
  int32_t trace = 0;
  int32_t overlay = 0, bugImage = 0;
  static PlotLook Of(const InstrumentClass &c);
};

// MFD: SIZE (the screen), BORDER, BUTTONS (left and right counts),
// BUTTONSIZE (first button's offset and spacing), BUTTONCOL, FONT.
struct MfdLook {
  int32_t screenWidth = 0, screenHeight = 0;
  int32_t borderX = 0, borderY = 0;
  int32_t buttonsLeft = 0, buttonsRight = 0, buttonOffset = 0, buttonSpacing = 0;
  int32_t labelColour[3] = {};
  int32_t font = 0;
  static MfdLook Of(const InstrumentClass &c);
};

// ADI: AMBIENT and LGHTCOL (unlit and lit light, 0-1), ZOOM (the eye's
// distance), BALTEX.
struct AdiLook {
  float unlitLight[3] = {}, litLight[3] = {};
  float eyeDistance = 0.0f;
  char ballTexture[44] = "";
  static AdiLook Of(const InstrumentClass &c);
};
