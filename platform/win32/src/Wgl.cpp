// Pixel formats and WGL contexts over Mesa's offscreen renderer (OSMesa):
// a context renders into the pixels of the DIB section selected in the DC it
// is made current with, as Windows' generic OpenGL does for a memory DC.
// glWindowPos is OpenGL 1.4: its prototype comes with the extension header.
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/osmesa.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <thread>
#include <unordered_set>

#include "GdiObjects.h"

namespace win32 {

namespace {

// The one format on offer: what Windows' generic implementation gives a
// 32-bit DIB. The fourth byte of a DIB pixel is reserved, so there are no
// alpha bits and GL never writes that byte.
constexpr BYTE kDepthBits = 24;
constexpr BYTE kStencilBits = 8;
constexpr int kFormatCount = 1;

PIXELFORMATDESCRIPTOR BitmapFormat() {
  PIXELFORMATDESCRIPTOR pfd = {};
  pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI | PFD_SUPPORT_OPENGL | PFD_GENERIC_FORMAT;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 32;
  pfd.cRedBits = 8;
  pfd.cRedShift = 16;
  pfd.cGreenBits = 8;
  pfd.cGreenShift = 8;
  pfd.cBlueBits = 8;
  pfd.cBlueShift = 0;
  pfd.cDepthBits = kDepthBits;
  pfd.cStencilBits = kStencilBits;
  pfd.iLayerType = PFD_MAIN_PLANE;
  return pfd;
}

struct GlContext {
  OSMesaContext mesa = nullptr;
  // While current: the thread, the DC it was made current with and the
  // bitmap it draws into. The bitmap counts as selected meanwhile, so that
  // it cannot be deleted under the renderer.
  bool current = false;
  std::thread::id owner;
  HDC dc = nullptr;
  Bitmap *target = nullptr;
  bool configured = false;
};

std::mutex contextLock;
std::unordered_set<GlContext *> &contexts() {
  static auto *live = new std::unordered_set<GlContext *>();
  return *live;
}

thread_local GlContext *currentContext = nullptr;

GlContext *LookupContext(HGLRC handle) {
  if (handle == nullptr) return nullptr;
  std::lock_guard<std::mutex> guard(contextLock);
  auto *context = reinterpret_cast<GlContext *>(handle);
  return contexts().count(context) != 0 ? context : nullptr;
}

void Unpin(GlContext &context) {
  if (context.target != nullptr) --context.target->selections;
  context.target = nullptr;
  context.dc = nullptr;
}

// Lets go of the calling thread's context. OSMesa delivers what is still
// pending into the bitmap as it lets go, as Windows flushes a context
// that stops being current.
void ReleaseCurrent() {
  GlContext *context = currentContext;
  if (context == nullptr) return;
  OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
  Unpin(*context);
  context->current = false;
  currentContext = nullptr;
}

// Puts the bitmap's pixels into the freshly bound colour buffer. OSMesa draws
// into a buffer of its own (shared by contexts of one kind) and copies it
// whole into the bitmap on every flush; loading the bitmap first keeps what
// GDI or another context put there, so GL only changes what it draws.
void LoadBitmapPixels(const Bitmap &bitmap) {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
  for (GLenum capability : {GL_ALPHA_TEST, GL_BLEND, GL_COLOR_LOGIC_OP, GL_DEPTH_TEST, GL_DITHER, GL_FOG,
                            GL_SCISSOR_TEST, GL_STENCIL_TEST, GL_TEXTURE_1D, GL_TEXTURE_2D})
    glDisable(capability);
  glPixelTransferf(GL_RED_SCALE, 1.0f);
  glPixelTransferf(GL_GREEN_SCALE, 1.0f);
  glPixelTransferf(GL_BLUE_SCALE, 1.0f);
  glPixelTransferf(GL_RED_BIAS, 0.0f);
  glPixelTransferf(GL_GREEN_BIAS, 0.0f);
  glPixelTransferf(GL_BLUE_BIAS, 0.0f);
  glPixelTransferi(GL_MAP_COLOR, GL_FALSE);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, bitmap.stride);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  // The bitmap's first row in memory is GL's bottom row for a bottom-up DIB
  // and its top row for a top-down one.
  if (bitmap.topDown) {
    glWindowPos2i(0, bitmap.height);
    glPixelZoom(1.0f, -1.0f);
  } else {
    glWindowPos2i(0, 0);
    glPixelZoom(1.0f, 1.0f);
  }
  glDrawPixels(bitmap.width, bitmap.height, GL_BGRA, GL_UNSIGNED_BYTE, bitmap.bits);
  glPopClientAttrib();
  glPopAttrib();
}

}  // namespace

}  // namespace win32

using namespace win32;

int DescribePixelFormat(HDC hdc, int iPixelFormat, UINT nBytes, PIXELFORMATDESCRIPTOR *ppfd) {
  if (LookupDC(hdc) == nullptr) {
    SetError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (ppfd == nullptr) return kFormatCount;
  if (iPixelFormat < 1 || iPixelFormat > kFormatCount) {
    SetError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const PIXELFORMATDESCRIPTOR format = BitmapFormat();
  std::memcpy(ppfd, &format, std::min<size_t>(nBytes, sizeof format));
  return kFormatCount;
}

int ChoosePixelFormat(HDC hdc, const PIXELFORMATDESCRIPTOR *ppfd) {
  if (LookupDC(hdc) == nullptr) {
    SetError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (ppfd == nullptr) {
    SetError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  // As on Windows, the closest match is returned even when it lacks
  // something asked for (a double buffer cannot draw to a bitmap).
  return 1;
}

BOOL SetPixelFormat(HDC hdc, int format, const PIXELFORMATDESCRIPTOR *ppfd) {
  DeviceContext *dc = LookupDC(hdc);
  if (dc == nullptr) {
    SetError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (format < 1 || format > kFormatCount) {
    SetError(ERROR_INVALID_PIXEL_FORMAT);
    return FALSE;
  }
  // As on Windows, the format's number sets every plane, depth and stencil
  // buffers included; the descriptor passed along is not read (a request
  // that asked for no depth buffer still gets the format's).
  dc->pixelFormat = format;
  return TRUE;
}

int GetPixelFormat(HDC hdc) {
  DeviceContext *dc = LookupDC(hdc);
  if (dc == nullptr) {
    SetError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (dc->pixelFormat == 0) SetError(ERROR_INVALID_PIXEL_FORMAT);
  return dc->pixelFormat;
}

HGLRC wglCreateContext(HDC hdc) {
  DeviceContext *dc = LookupDC(hdc);
  if (dc == nullptr) {
    SetError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (dc->pixelFormat == 0) {
    SetError(ERROR_INVALID_PIXEL_FORMAT);
    return nullptr;
  }
  OSMesaContext mesa = OSMesaCreateContextExt(OSMESA_BGRA, kDepthBits, kStencilBits, 0, nullptr);
  if (mesa == nullptr) {
    SetError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  auto *context = new GlContext();
  context->mesa = mesa;
  std::lock_guard<std::mutex> guard(contextLock);
  contexts().insert(context);
  return reinterpret_cast<HGLRC>(context);
}

BOOL wglMakeCurrent(HDC hdc, HGLRC hglrc) {
  if (hglrc == nullptr) {
    ReleaseCurrent();
    return TRUE;
  }
  GlContext *context = LookupContext(hglrc);
  DeviceContext *dc = LookupDC(hdc);
  if (context == nullptr || dc == nullptr) {
    SetError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (dc->pixelFormat == 0) {
    SetError(ERROR_INVALID_PIXEL_FORMAT);
    return FALSE;
  }
  Bitmap *bitmap = dc->bitmap;
  if (bitmap == nullptr || bitmap->bits == nullptr) {
    SetError(ERROR_INVALID_PARAMETER);  // nothing selected to draw into
    return FALSE;
  }
  if (context->current && context->owner != std::this_thread::get_id()) {
    SetError(ERROR_BUSY);
    return FALSE;
  }
  if (context == currentContext && context->target == bitmap) {
    context->dc = hdc;
    return TRUE;
  }
  ReleaseCurrent();
  if (!OSMesaMakeCurrent(context->mesa, bitmap->bits, GL_UNSIGNED_BYTE, bitmap->width, bitmap->height)) {
    SetError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  OSMesaPixelStore(OSMESA_ROW_LENGTH, bitmap->stride);
  OSMesaPixelStore(OSMESA_Y_UP, bitmap->topDown ? 0 : 1);
  if (!context->configured) {
    // No alpha plane: the DIB's reserved byte stays as GDI left it.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    context->configured = true;
  }
  LoadBitmapPixels(*bitmap);
  ++bitmap->selections;
  context->target = bitmap;
  context->dc = hdc;
  context->current = true;
  context->owner = std::this_thread::get_id();
  currentContext = context;
  return TRUE;
}

BOOL wglDeleteContext(HGLRC hglrc) {
  GlContext *context = LookupContext(hglrc);
  if (context == nullptr) {
    SetError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (context->current) {
    if (context != currentContext) {
      SetError(ERROR_BUSY);
      return FALSE;
    }
    ReleaseCurrent();
  }
  {
    std::lock_guard<std::mutex> guard(contextLock);
    contexts().erase(context);
  }
  OSMesaDestroyContext(context->mesa);
  delete context;
  return TRUE;
}

HGLRC wglGetCurrentContext() { return reinterpret_cast<HGLRC>(currentContext); }

HDC wglGetCurrentDC() { return currentContext != nullptr ? currentContext->dc : nullptr; }
