// The attitude ball: a textured, lit sphere rendered with OpenGL into an
// offscreen bitmap, turning toward the bound yaw, pitch and roll by at most
// 0.05 rad per axis and frame, with an overlay on top. It is shown each frame
// and rendered again when it has turned by a pixel or its light changed.
#pragma once

#include <cstdint>

#include <GL/gl.h>

#include "panels/instruments/Instrument.h"

struct InstrumentClass;

constexpr int kBallGrid = 25;
constexpr int kBallVertices = kBallGrid * kBallGrid;
constexpr int kBallIndexRoom = 1301;

// ADI: AMBIENT and LGHTCOL (unlit and lit light, 0-1), ZOOM (the eye's
// distance), BALTEX.
struct AdiLook {
  float unlitLight[3] = {}, litLight[3] = {};
  float eyeDistance = 0.0f;
  char ballTexture[44] = "";
  static AdiLook Of(const InstrumentClass &c);
};

class AdiInstrument : public Instrument {
 public:
  // The mesh is built here; the rendering context when the ball is first drawn.
  AdiInstrument(int32_t panelNumber, int32_t left, int32_t top, Bound<double> yaw, Bound<double> pitch,
                Bound<double> roll);
  ~AdiInstrument() override;

  // Takes the class's look: light colours, distance and texture. The
  // rendering context and the rest are made when the ball is first drawn.
  void SetUp(const AdiLook &classLook);

  void RegisterArea(int32_t id) override;
  void Redraw(const DrawContext &context) override;
  void FrameRedraw(const DrawContext &context) override;
  void LightingChanged(bool lit) override;
  // The slots "PITCH", "ROLL" and "YAW".
  void Publish(VariableTable &table) override;

  // Turns the shown angles toward the bound ones, one easing step.
  void UpdateAttitude();
  // Reads a ball texture (a bare 24-bit bitmap read without row padding) as
  // RGBA; false when the file cannot be used.
  static bool ReadTexture(const char *fileName, int &width, int &height, unsigned char *&rgba);

  bool setUp = false;
  bool prepared = false;
  bool lightsOn = false;
  float vertices[kBallVertices][3];
  float normals[kBallVertices][3];
  float textureCoordinates[kBallVertices][2];
  uint32_t indices[kBallIndexRoom];
  int32_t indexCount = 0;
  GLuint displayList = 0;
  double radius = 10.0;
  AdiLook look;
  Bound<double> pitchSlot, yawSlot, rollSlot;
  double shownYaw = 0.37, shownPitch = -1.2, shownRoll = 0.5;

 private:
  void BuildMesh();
  void Prepare();
  void ApplyLighting();
  bool MakeContext();
  void LoadTexture(const char *ballTexture);
  void SetUpScene(bool textured);
  bool MakeCurrent() const;
  void Draw(const DrawContext &context, bool whole);
  bool MovedAPixel() const;
  void RenderBall();

  HDC memoryDC = nullptr;
  HGLRC renderingContext = nullptr;
  HBITMAP dibSection = nullptr;
  HGDIOBJ previousBitmap = nullptr;
  DWORD lastError = 0;
  // What the bitmap shows: the angles and the light it was last rendered at.
  struct Rendered {
    bool valid = false;
    bool lit = false;
    double roll = 0, pitch = 0, yaw = 0;
  } rendered;
};
