#include <GL/gl.h>
#include <GL/glu.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "GdiTestSupport.h"

namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

PIXELFORMATDESCRIPTOR Request(BYTE depthBits) {
  PIXELFORMATDESCRIPTOR pfd = {};
  pfd.nSize = sizeof pfd;
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_OPENGL | PFD_SUPPORT_GDI;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 32;
  pfd.cDepthBits = depthBits;
  pfd.iLayerType = PFD_MAIN_PLANE;
  return pfd;
}

// A 32-bit DIB section in a memory DC with a pixel format and a context, set
// up as the module's attitude ball sets up its own.
class GlBitmap {
 public:
  GlBitmap(int w, int h, bool topDown = false, BYTE depthBits = 24) : width(w), height(h) {
    dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = topDown ? -h : h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *memory = nullptr;
    dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    bits = static_cast<uint32_t *>(memory);
    previous = SelectObject(dc, dib);
    const PIXELFORMATDESCRIPTOR pfd = Request(depthBits);
    SetPixelFormat(dc, ChoosePixelFormat(dc, &pfd), &pfd);
    context = wglCreateContext(dc);
  }
  ~GlBitmap() {
    if (wglGetCurrentContext() == context) wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context);
    SelectObject(dc, previous);
    DeleteObject(dib);
    DeleteDC(dc);
  }
  GlBitmap(const GlBitmap &) = delete;
  GlBitmap &operator=(const GlBitmap &) = delete;

  bool makeCurrent() { return wglMakeCurrent(dc, context) != FALSE; }
  // The pixel `row` rows from the start of the DIB's memory.
  uint32_t memory(int x, int row) const { return bits[row * width + x]; }
  // The pixel as drawing code sees it, (0, 0) at the top left.
  uint32_t at(int x, int y) const { return wincanvas::pixel(dib, x, y); }

  int width, height;
  HDC dc;
  HBITMAP dib;
  uint32_t *bits = nullptr;
  HGLRC context;

 private:
  HGDIOBJ previous;
};

// The eye 4 units in front of the origin looking at it with a 90 degree
// view: at z = 0 the picture spans -4..4 in y, so world (x, y, 0) lands at
// window ((x / (4 aspect) + 1) w / 2, (y / 4 + 1) h / 2).
void LookAtOrigin(int w, int h) {
  glViewport(0, 0, w, h);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(90.0, static_cast<double>(w) / h, 1.0, 10.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(0.0, 0.0, 4.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
}

void Clear(float r, float g, float b) {
  glClearColor(r, g, b, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void Triangle(float x0, float y0, float x1, float y1, float x2, float y2, float z, float r, float g, float b) {
  glColor3f(r, g, b);
  glBegin(GL_TRIANGLES);
  glVertex3f(x0, y0, z);
  glVertex3f(x1, y1, z);
  glVertex3f(x2, y2, z);
  glEnd();
}

// Blue background, a red right triangle in GL's upper right quadrant with
// corners at world (1, 1), (3, 1), (1, 3): window (40, 40), (56, 40), (40, 56)
// on a 64 x 64 picture.
void DrawScene(int w, int h) {
  LookAtOrigin(w, h);
  Clear(0, 0, 1);
  Triangle(1, 1, 3, 1, 1, 3, 0, 1, 0, 0);
  glFinish();
}

}  // namespace

TEST(WglPixelFormat, OneFormatDrawsToABitmapWithGdiAndOpenGl) {
  gditest::Canvas canvas(4, 4);
  EXPECT_EQ(DescribePixelFormat(canvas.dc, 0, 0, nullptr), 1);
  PIXELFORMATDESCRIPTOR pfd;
  std::memset(&pfd, 0xAB, sizeof pfd);
  ASSERT_EQ(DescribePixelFormat(canvas.dc, 1, sizeof pfd, &pfd), 1);
  EXPECT_EQ(pfd.dwFlags, static_cast<DWORD>(PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI | PFD_SUPPORT_OPENGL |
                                            PFD_GENERIC_FORMAT));
  EXPECT_EQ(pfd.iPixelType, PFD_TYPE_RGBA);
  EXPECT_EQ(pfd.cColorBits, 32);
  EXPECT_EQ(pfd.cRedShift, 16);
  EXPECT_EQ(pfd.cAlphaBits, 0);
  EXPECT_EQ(pfd.cDepthBits, 24);
  // Never more than the caller's size is written.
  std::memset(&pfd, 0xAB, sizeof pfd);
  EXPECT_EQ(DescribePixelFormat(canvas.dc, 1, 4, &pfd), 1);
  EXPECT_EQ(pfd.nSize, sizeof pfd);
  EXPECT_EQ(pfd.dwFlags, 0xABABABABu);
  EXPECT_EQ(DescribePixelFormat(canvas.dc, 2, sizeof pfd, &pfd), 0);

  const PIXELFORMATDESCRIPTOR request = Request(16);
  EXPECT_EQ(ChoosePixelFormat(canvas.dc, &request), 1);
  EXPECT_EQ(ChoosePixelFormat(canvas.dc, nullptr), 0);
  EXPECT_EQ(wglCreateContext(canvas.dc), nullptr);  // no pixel format yet
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PIXEL_FORMAT));
  EXPECT_FALSE(SetPixelFormat(canvas.dc, 7, &request));
  EXPECT_TRUE(SetPixelFormat(canvas.dc, 1, &request));
  EXPECT_EQ(GetPixelFormat(canvas.dc), 1);
}

TEST(WglContext, BadHandlesFailAndABitmapBeingDrawnIntoStays) {
  int notAHandle = 0;
  auto *bogus = reinterpret_cast<HGLRC>(&notAHandle);
  EXPECT_EQ(wglCreateContext(nullptr), nullptr);
  EXPECT_FALSE(wglDeleteContext(bogus));
  EXPECT_FALSE(wglDeleteContext(nullptr));
  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));  // nothing current: nothing to do

  auto target = std::make_unique<GlBitmap>(8, 8);
  EXPECT_FALSE(wglMakeCurrent(target->dc, bogus));
  EXPECT_FALSE(wglMakeCurrent(reinterpret_cast<HDC>(&notAHandle), target->context));
  ASSERT_TRUE(target->makeCurrent());
  EXPECT_EQ(wglGetCurrentDC(), target->dc);
  // Even out of its DC, the bitmap stays while GL may write to it; without a
  // bitmap the DC has nothing to draw into.
  HGDIOBJ dib = SelectObject(target->dc, wincanvas::createBitmap(2, 2));
  EXPECT_FALSE(DeleteObject(dib));
  HDC empty = CreateCompatibleDC(nullptr);
  SetPixelFormat(empty, 1, nullptr);
  EXPECT_FALSE(wglMakeCurrent(empty, target->context));
  DeleteDC(empty);
  // Deleting the current context releases it first.
  ASSERT_TRUE(wglDeleteContext(target->context));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  EXPECT_TRUE(DeleteObject(SelectObject(target->dc, dib)));
  target->context = nullptr;
}

TEST(WglRendering, GlBottomLeftOriginIsTheFirstRowOfABottomUpDibAndTopDownFlips) {
  GlBitmap bottomUp(64, 64);
  GlBitmap topDown(64, 64, true);
  ASSERT_TRUE(bottomUp.makeCurrent());
  DrawScene(64, 64);
  ASSERT_TRUE(topDown.makeCurrent());
  DrawScene(64, 64);
  // GL row 44 is the 45th row in memory; the fourth byte stays zero.
  EXPECT_EQ(bottomUp.memory(44, 44), kRed);
  EXPECT_EQ(bottomUp.memory(44, 63 - 44), kBlue);
  EXPECT_EQ(bottomUp.memory(52, 52), kBlue);  // past the hypotenuse
  EXPECT_EQ(bottomUp.at(44, 63 - 44), kRed);
  EXPECT_EQ(topDown.memory(44, 63 - 44), kRed);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(topDown.at(x, y), bottomUp.at(x, y)) << x << ", " << y;
}

// As under Wine's OpenGL: the chosen format's depth buffer comes with it even
// when the request asked for none, as the attitude ball's request does.
TEST(WglRendering, DepthBuffersComeWithTheFormatWhateverTheRequest) {
  // The near triangle is drawn first: only a depth buffer keeps it in front.
  for (BYTE depthBits : {BYTE{24}, BYTE{0}}) {
    GlBitmap target(32, 32, false, depthBits);
    ASSERT_TRUE(target.makeCurrent());
    LookAtOrigin(32, 32);
    Clear(0, 0, 0);
    glEnable(GL_DEPTH_TEST);
    Triangle(-3, -3, 3, -3, 0, 3, 1.0f, 0, 1, 0);
    Triangle(-3, -3, 3, -3, 0, 3, -1.0f, 1, 0, 0);
    glFinish();
    EXPECT_EQ(target.at(16, 16), kGreen) << int(depthBits);
  }
}

TEST(WglRendering, ContextsSideBySideKeepTheirOwnPixels) {
  GlBitmap a(64, 64);
  GlBitmap b(64, 64, true);
  ASSERT_TRUE(a.makeCurrent());
  LookAtOrigin(64, 64);
  Clear(1, 0, 0);
  glFinish();
  ASSERT_TRUE(b.makeCurrent());
  LookAtOrigin(64, 64);
  Clear(0, 1, 0);
  // Switching delivers what the context drew but did not finish.
  ASSERT_TRUE(a.makeCurrent());
  EXPECT_EQ(b.at(0, 0), kGreen);
  // Drawing goes on over what each bitmap has, also for a context moved to
  // another bitmap of its pixel format.
  Triangle(1, 1, 3, 1, 1, 3, 0, 0, 0, 1);
  glFinish();
  ASSERT_TRUE(wglMakeCurrent(b.dc, a.context));
  Triangle(-1, -1, -3, -1, -1, -3, 0, 0, 0, 1);
  glFinish();
  EXPECT_EQ(a.at(44, 19), kBlue);
  EXPECT_EQ(a.at(19, 44), kRed);
  EXPECT_EQ(a.at(60, 60), kRed);
  EXPECT_EQ(b.at(19, 44), kBlue);
  EXPECT_EQ(b.at(44, 19), kGreen);
  EXPECT_EQ(b.at(60, 60), kGreen);
}

TEST(WglRendering, GdiPixelsStayWhereGlDoesNotDrawAndBitBltCopiesThePicture) {
  for (bool topDown : {false, true}) {
    GlBitmap target(64, 64, topDown);
    // A green block in the top left corner, drawn with GDI before GL.
    HBRUSH brush = CreateSolidBrush(RGB(0, 128, 0));
    HGDIOBJ oldBrush = SelectObject(target.dc, brush);
    Rectangle(target.dc, 0, 0, 20, 20);
    DeleteObject(SelectObject(target.dc, oldBrush));
    ASSERT_TRUE(target.makeCurrent());
    LookAtOrigin(64, 64);
    Triangle(1, 1, 3, 1, 1, 3, 0, 1, 0, 0);
    glFinish();
    EXPECT_EQ(target.at(44, 19), kRed) << topDown;
    EXPECT_EQ(target.at(10, 10), 0x008000u) << topDown;
    EXPECT_EQ(target.at(10, 53), 0u) << topDown;

    gditest::Canvas copy(64, 64);
    ASSERT_TRUE(BitBlt(copy.dc, 0, 0, 64, 64, target.dc, 0, 0, SRCCOPY));
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) ASSERT_EQ(copy.at(x, y), target.at(x, y)) << x << ", " << y;
  }
}

namespace {

// The library that holds the definition a symbol resolves to.
std::string Provider(void *symbol) {
  Dl_info info = {};
  return dladdr(symbol, &info) != 0 && info.dli_fname != nullptr ? info.dli_fname : "";
}

}  // namespace

TEST(WglLinking, GlCallsOfTheProgramReachOsMesa) {
  EXPECT_NE(Provider(reinterpret_cast<void *>(&glClear)).find("libOSMesa"), std::string::npos);
}

// The probe is linked as the module is and loaded as the host loads it, so
// its gl* calls and GLU's own reach whichever library the loader finds first.
TEST(WglLinking, AModuleLoadedWithDlopenDrawsThroughGluIntoItsDib) {
  const std::string path =
      (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "libwgl_probe.so").string();
  void *probe = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(probe, nullptr) << dlerror();
  auto render = reinterpret_cast<bool (*)(HDC, int)>(dlsym(probe, "glprobeRender"));
  auto glProvider = reinterpret_cast<const char *(*)()>(dlsym(probe, "glprobeGlProvider"));
  auto gluProvider = reinterpret_cast<const char *(*)()>(dlsym(probe, "glprobeGluProvider"));
  ASSERT_TRUE(render != nullptr && glProvider != nullptr && gluProvider != nullptr);
  EXPECT_NE(std::string(glProvider()).find("libOSMesa"), std::string::npos) << glProvider();
  EXPECT_NE(std::string(gluProvider()).find("libGLU"), std::string::npos) << gluProvider();

  gditest::Canvas target(64, 64);
  ASSERT_TRUE(render(target.dc, 64));
  // The disk's centre, world (1, 1) at 4 units, is GL window (40, 40): only
  // GLU's projection and its quadric's own glVertex calls put red there.
  EXPECT_EQ(target.at(40, 63 - 40), kRed);
  EXPECT_EQ(target.at(40, 40), kBlue);
  EXPECT_EQ(target.at(32, 32), kBlue);
  const RECT disk = target.boxOf(kRed);
  EXPECT_NEAR(disk.left, 36, 1);
  EXPECT_NEAR(disk.right, 44, 1);
  EXPECT_NEAR(disk.top, 19, 1);
  EXPECT_NEAR(disk.bottom, 27, 1);
  dlclose(probe);
}
