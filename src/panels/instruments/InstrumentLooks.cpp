#include "panels/instruments/InstrumentLooks.h"

#include <cstdio>

#include "math/Angles.h"
#include "panels/instruments/InstrumentClass.h"
#include "panels/instruments/Instrument.h"

AreaLook AreaLook::Of(const InstrumentClass &c) {
  return {BoundedCoordinate(c.I[0]), BoundedCoordinate(c.I[1]), c.bitmap};
}

RotationalLook RotationalLook::Of(const InstrumentClass &c) {
  return {c.D[0], c.D[1], c.D[2], c.D[3], c.I[2], c.I[3], c.I[4], c.I[5]};
}

TextLook TextLook::Of(const InstrumentClass &c) {
  TextLook look;
  look.font = c.font;
  look.litPen = c.resource1;
  look.unlitPen = c.resource2;
  for (int i = 0; i < 3; ++i) {
    look.litColour[i] = c.I[i];
    look.unlitColour[i] = c.I[3 + i];
  }
  look.labelHeight = BoundedCoordinate(c.D[0]);
  return look;
}

LinearLook LinearLook::Of(const InstrumentClass &c) {
  LinearLook look;
  look.highX = BoundedCoordinate(c.D[0]);
  look.highY = BoundedCoordinate(c.D[1]);
  look.lowX = BoundedCoordinate(c.D[2]);
  look.lowY = BoundedCoordinate(c.D[3]);
  look.pointerWidth = c.I[4];
  look.pointerSize = c.I[5];
  look.rotation = DegreesToRadians(c.D[4]);
  return look;
}

TalkbackLook TalkbackLook::Of(const InstrumentClass &c) { return {c.D[0]}; }

SelectLook SelectLook::Of(const InstrumentClass &c) {
  return {BoundedCoordinate(c.D[0]), BoundedCoordinate(c.D[2])};
}

PlotLook PlotLook::Of(const InstrumentClass &c) {
  PlotLook look;
  look.overlay = c.resource1;
  look.bugImage = c.resource2;
  look.bugWidth = c.I[2];
  look.bugHeight = c.I[3];
  look.trace = c.I[4];
  look.scrollLimit = BoundedCoordinate(c.D[0]);
  look.yAtHigh = BoundedCoordinate(c.D[1]);
  look.xAtOrigin = BoundedCoordinate(c.D[2]);
  look.yAtLow = BoundedCoordinate(c.D[3]);
  return look;
}

MfdLook MfdLook::Of(const InstrumentClass &c) {
  MfdLook look;
  look.screenWidth = c.I[0];
  look.screenHeight = c.I[1];
  look.borderX = c.I[2];
  look.borderY = c.I[3];
  look.buttonsLeft = c.I[4];
  look.buttonsRight = c.I[5];
  look.buttonOffset = c.I[6];
  look.buttonSpacing = c.I[7];
  for (int i = 0; i < 3; ++i) look.labelColour[i] = BoundedCoordinate(c.D[i]);
  look.font = c.font;
  return look;
}

AdiLook AdiLook::Of(const InstrumentClass &c) {
  AdiLook look;
  for (int k = 0; k < 3; ++k) {
    look.unlitLight[k] = c.I[2 + k] / 255.0f;
    look.litLight[k] = c.I[5 + k] / 255.0f;
  }
  look.eyeDistance = static_cast<float>(-c.D[0]);
  std::snprintf(look.ballTexture, sizeof look.ballTexture, "%s", c.ballTexture);
  return look;
}
