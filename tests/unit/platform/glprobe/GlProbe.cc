// Draws the way the module's attitude ball does: a DIB section in a memory
// DC, a pixel format, a WGL context, fixed-function GL with GLU's projection
// and a GLU quadric, then BitBlt to the caller's DC.
#include <GL/gl.h>
#include <GL/glu.h>
#include <dlfcn.h>

#include "windows.h"

namespace {

// The file of the library whose definition of `symbol` this module's calls
// reach; "" when there is none.
const char *Provider(void *symbol) {
  Dl_info info = {};
  return dladdr(symbol, &info) != 0 && info.dli_fname != nullptr ? info.dli_fname : "";
}

}  // namespace

// Renders a `size` x `size` picture: blue background, a red disk centred a
// quarter of the width right of and above the middle. Writes it to `target`
// at (0, 0); false if any WGL step fails.
extern "C" __attribute__((visibility("default"))) bool glprobeRender(HDC target, int size) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void *bits = nullptr;
  HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(dc, dib);
  PIXELFORMATDESCRIPTOR pfd = {};
  pfd.nSize = sizeof pfd;
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_OPENGL | PFD_SUPPORT_GDI;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 32;
  pfd.cDepthBits = 16;
  bool ok = SetPixelFormat(dc, ChoosePixelFormat(dc, &pfd), &pfd) != FALSE;
  HGLRC context = ok ? wglCreateContext(dc) : nullptr;
  ok = context != nullptr && wglMakeCurrent(dc, context) != FALSE;
  if (ok) {
    glViewport(0, 0, size, size);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90.0, 1.0, 1.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, 4.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    // At 4 units from the eye with a 90 degree view, x = 2 is the right edge.
    glTranslated(1.0, 1.0, 0.0);
    glColor3f(1.0f, 0.0f, 0.0f);
    GLUquadric *quadric = gluNewQuadric();
    gluDisk(quadric, 0.0, 0.5, 24, 1);
    gluDeleteQuadric(quadric);
    glFinish();
    wglMakeCurrent(nullptr, nullptr);
    BitBlt(target, 0, 0, size, size, dc, 0, 0, SRCCOPY);
  }
  if (context != nullptr) wglDeleteContext(context);
  SelectObject(dc, previous);
  DeleteObject(dib);
  DeleteDC(dc);
  return ok;
}

// Where this module's own gl* and glu* calls go.
extern "C" __attribute__((visibility("default"))) const char *glprobeGlProvider() {
  return Provider(reinterpret_cast<void *>(&glBegin));
}
extern "C" __attribute__((visibility("default"))) const char *glprobeGluProvider() {
  return Provider(reinterpret_cast<void *>(&gluPerspective));
}
