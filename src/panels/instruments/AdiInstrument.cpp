#include "panels/instruments/AdiInstrument.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "config/text/Keywords.h"
#include "panels/instruments/InstrumentClass.h"
#include "winpath.h"

namespace {

constexpr float kEasingStep = 0.05f;
// Margin of the offscreen bitmap around the area.
constexpr int kMargin = 20;
// Beyond this many wrap-arounds a target is nowhere near an angle.
constexpr int kMaxWraps = 64;
constexpr int kMaxTextureSide = 8192;

// Pi as the ball has always computed it: single precision, at run time.
float Pi() { return static_cast<float>(std::acos(-1.0)); }

uint32_t LittleEndian(const unsigned char *b) {
  return uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
}

}  // namespace

AdiInstrument::AdiInstrument(int32_t panelNumber, int32_t left, int32_t top, Bound<double> yaw, Bound<double> pitch,
                             Bound<double> roll)
    : Instrument(panelNumber, left, top), pitchSlot(pitch), yawSlot(yaw), rollSlot(roll) {
  BuildMesh();
}

void AdiInstrument::BuildMesh() {
  const float pi = Pi();
  const int n = kBallGrid;
  for (int i = 0; i < n; ++i) {
    const double latitude = -pi / 2 + i * pi / (n - 1);
    const float ring = static_cast<float>(std::cos(latitude) * radius);
    for (int j = 0; j < n; ++j) {
      const int h = i * n + j;
      const double longitude = 2 * pi * j / (n - 1);
      float *p = vertices[h];
      p[0] = static_cast<float>(std::cos(longitude) * ring);
      p[1] = static_cast<float>(std::sin(longitude) * ring);
      p[2] = static_cast<float>(std::sin(latitude) * radius);
      textureCoordinates[h][0] = static_cast<float>(j) / (n - 1);
      textureCoordinates[h][1] = static_cast<float>(i) / (n - 1);
      const float length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
      for (int k = 0; k < 3; ++k) normals[h][k] = p[k] / length;
      if (i > 0) {
        indices[indexCount++] = h;
        indices[indexCount++] = h - n;
      }
    }
  }
}

AdiInstrument::~AdiInstrument() {
  if (renderingContext != nullptr) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(renderingContext);
  }
  if (memoryDC != nullptr) {
    if (previousBitmap != nullptr) SelectObject(memoryDC, previousBitmap);
    if (dibSection != nullptr) DeleteObject(dibSection);
    DeleteDC(memoryDC);
  }
}

void AdiInstrument::SetUp(const AdiLook &classLook) { look = classLook; }

// The rendering context, its bitmap and the texture take megabytes and tens
// of milliseconds: they are made when the ball is first drawn, so a vessel
// whose panel is never shown (one of a fleet) has none. The lighting set
// before then is applied once they are.
void AdiInstrument::Prepare() {
  if (prepared) return;
  prepared = true;
  if (!MakeContext()) return;
  LoadTexture(look.ballTexture);
  ApplyLighting();
}

// A bitmap 20 pixels larger than the area each way, bottom-up, with an
// OpenGL context drawing into it.
bool AdiInstrument::MakeContext() {
  memoryDC = CreateCompatibleDC(nullptr);
  PIXELFORMATDESCRIPTOR format = {};
  DescribePixelFormat(memoryDC, 1, sizeof format, &format);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width + kMargin;
  info.bmiHeader.biHeight = height + kMargin;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = format.cColorBits;
  info.bmiHeader.biCompression = BI_RGB;
  void *bits = nullptr;
  dibSection = CreateDIBSection(memoryDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dibSection == nullptr) return false;
  previousBitmap = SelectObject(memoryDC, dibSection);
  PIXELFORMATDESCRIPTOR request = {};
  request.nSize = sizeof request;
  request.nVersion = 1;
  request.dwFlags = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI | PFD_SUPPORT_OPENGL;
  request.iPixelType = PFD_TYPE_RGBA;
  request.cColorBits = format.cColorBits;
  const int chosen = ChoosePixelFormat(memoryDC, &request);
  SetPixelFormat(memoryDC, chosen, &request);
  lastError = GetLastError();
  renderingContext = wglCreateContext(memoryDC);
  return MakeCurrent();
}

bool AdiInstrument::MakeCurrent() const {
  return renderingContext != nullptr && wglMakeCurrent(memoryDC, renderingContext);
}

bool AdiInstrument::ReadTexture(const char *fileName, int &textureWidth, int &textureHeight, unsigned char *&rgba) {
  FILE *file = OpenWindowsFile(fileName, "rb");
  if (file == nullptr) return false;
  unsigned char fileHeader[14], infoHeader[40] = {};
  const bool headers = std::fread(fileHeader, 1, 14, file) == 14 && std::fseek(file, 14, SEEK_SET) == 0 &&
                       std::fread(infoHeader, 1, 40, file) == 40;
  const uint32_t w = LittleEndian(infoHeader + 4), h = LittleEndian(infoHeader + 8);
  if (!headers || w == 0 || h == 0 || w > kMaxTextureSide || h > kMaxTextureSide) {
    std::fclose(file);
    return false;
  }
  const size_t pixels = size_t{w} * h;
  std::unique_ptr<unsigned char[]> bgr(new unsigned char[pixels * 3]());
  // A short file leaves the rest of the texture black.
  if (std::fread(bgr.get(), 1, pixels * 3, file) < pixels * 3) std::clearerr(file);
  std::fclose(file);
  rgba = new unsigned char[pixels * 4];
  for (size_t i = 0; i < pixels; ++i) {
    rgba[4 * i] = bgr[3 * i + 2];
    rgba[4 * i + 1] = bgr[3 * i + 1];
    rgba[4 * i + 2] = bgr[3 * i];
    rgba[4 * i + 3] = 255;
  }
  textureWidth = static_cast<int>(w);
  textureHeight = static_cast<int>(h);
  return true;
}

// The class keeps the blank after "BALTEX": the name starts one on.
void AdiInstrument::LoadTexture(const char *ballTexture) {
  int w = 0, h = 0;
  unsigned char *rgba = nullptr;
  const bool textured = ballTexture[0] != '\0' && ReadTexture(ballTexture + 1, w, h, rgba);
  if (textured) {
    glBindTexture(GL_TEXTURE_2D, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    delete[] rgba;
    glEnable(GL_TEXTURE_2D);
  }
  SetUpScene(textured);
}

void AdiInstrument::SetUpScene(bool textured) {
  glShadeModel(GL_SMOOTH);
  glClearColor(0, 0, 0, 0);
  glClearDepth(1);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glViewport(0, 0, width + kMargin, height + kMargin);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45, 1, 1, 1000);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  const GLfloat specular[4] = {0.3f, 0.3f, 0.3f, 1};
  const GLfloat light[4] = {look.unlitLight[0], look.unlitLight[1], look.unlitLight[2], 1};
  const GLfloat direction[4] = {0, -10, 10, 0};
  glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
  glEnable(GL_LIGHTING);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, light);
  glLightfv(GL_LIGHT0, GL_POSITION, direction);
  glLightfv(GL_LIGHT0, GL_AMBIENT, light);
  glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
  glEnable(GL_LIGHT0);
  glEnableClientState(GL_NORMAL_ARRAY);
  if (textured) glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_VERTEX_ARRAY);
  glNormalPointer(GL_FLOAT, 0, normals);
  glTexCoordPointer(2, GL_FLOAT, 0, textureCoordinates);
  glVertexPointer(3, GL_FLOAT, 0, vertices);
  displayList = glGenLists(1);
  glNewList(displayList, GL_COMPILE);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glColor3f(1, 1, 1);
  glDrawElements(GL_TRIANGLE_STRIP, indexCount, GL_UNSIGNED_INT, indices);
  glEndList();
  setUp = true;
}

void AdiInstrument::RegisterArea(int32_t id) {
  Register(id, RECT{x, y, x + width, y + height}, PANEL_REDRAW_ALWAYS, PANEL_MOUSE_IGNORE, PANEL_MAP_CURRENT);
}

// Roll, pitch, then yaw; an axis that has to wrap around by a full turn
// starts the whole update again. A target that is no number, or an unbound
// one, keeps the shown angle.
void AdiInstrument::UpdateAttitude() {
  const float pi = Pi();
  const double *roll = rollSlot.Get(), *pitch = pitchSlot.Get(), *yaw = yawSlot.Get();
  struct Axis {
    double *shown;
    bool bound;
    double target;
  };
  Axis axes[3] = {
      {&shownRoll, roll != nullptr, roll != nullptr ? -*roll : 0},
      {&shownPitch, pitch != nullptr, pitch != nullptr ? *pitch : 0},
      {&shownYaw, yaw != nullptr, yaw != nullptr ? 2 * pi - *yaw + pi / 2 : 0},
  };
  for (int wraps = 0; wraps <= kMaxWraps; ++wraps) {
    bool restart = false;
    for (Axis &axis : axes) {
      if (!axis.bound || !std::isfinite(axis.target)) continue;
      double &shown = *axis.shown;
      const float d = static_cast<float>(axis.target - shown);
      if (d > kEasingStep) {
        if (d > pi && wraps < kMaxWraps) {
          shown += 2 * pi;
          restart = true;
          break;
        }
        shown += kEasingStep;
      } else if (d < -kEasingStep) {
        if (d < -pi && wraps < kMaxWraps) {
          shown -= 2 * pi;
          restart = true;
          break;
        }
        shown -= kEasingStep;
      } else {
        shown += d;
      }
    }
    if (!restart) return;
  }
}

void AdiInstrument::Redraw(const DrawContext &context) { Draw(context, true); }

// Every frame the area keeps what it showed the frame before: the ball is
// copied onto it again only when it was rendered again.
void AdiInstrument::FrameRedraw(const DrawContext &context) { Draw(context, false); }

void AdiInstrument::Draw(const DrawContext &context, bool whole) {
  UpdateAttitude();
  Prepare();
  if (setUp && MakeCurrent()) {
    const bool turned = MovedAPixel();
    if (turned) RenderBall();
    HDC dc = turned || whole ? oapiGetDC(context.surface) : nullptr;
    if (dc != nullptr) {
      BitBlt(dc, 0, 0, width, height, memoryDC, 0, 0, SRCCOPY);
      oapiReleaseDC(context.surface, dc);
    }
  }
  BlitBitmap(context, 0, 0, 0, 0, width, height, 0);
}

// The ball is rendered again only when its picture would change: a turn by
// an angle moves no point of it further than the ball's radius times the
// angle, and the radius is at most half the bitmap's side. A ball held still
// in an orbit moves by thousandths of a pixel a frame.
bool AdiInstrument::MovedAPixel() const {
  if (!rendered.valid || rendered.lit != lightsOn) return true;
  const double pixels = (std::max(width, height) + kMargin) / 2.0;
  const double turned = std::max({std::fabs(shownRoll - rendered.roll), std::fabs(shownPitch - rendered.pitch),
                                  std::fabs(shownYaw - rendered.yaw)});
  return !(turned * pixels < 1.0);
}

void AdiInstrument::RenderBall() {
  const float pi = Pi();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(0, look.eyeDistance, 0, 0, 0, 0, 0, 0, 1);
  glRotated(-shownRoll / pi * 180, 0, 1, 0);
  glRotated(shownPitch / pi * 180, 1, 0, 0);
  glRotated(shownYaw / pi * 180, 0, 0, 1);
  glCallList(displayList);
  glFlush();
  glFinish();
  rendered = {true, lightsOn, shownRoll, shownPitch, shownYaw};
}

void AdiInstrument::LightingChanged(bool lit) {
  lightsOn = lit;
  if (prepared) ApplyLighting();
}

void AdiInstrument::ApplyLighting() {
  if (!MakeCurrent()) return;
  const float *colour = lightsOn ? look.litLight : look.unlitLight;
  const GLfloat diffuse[4] = {colour[0], colour[1], colour[2], 1};
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
}

void AdiInstrument::Publish(VariableTable &table) {
  table.AddSlot("PITCH", pitchSlot).AddSlot("ROLL", rollSlot).AddSlot("YAW", yawSlot);
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
