// Device contexts and the object handles around them: the registry, stock
// objects, selection, deletion, pens, brushes and the DC's drawing state.
#include <algorithm>
#include <mutex>
#include <unordered_set>

#include "GdiObjects.h"

namespace win32 {

namespace {

std::mutex registryLock;
std::unordered_set<const GdiObject *> &registry() {
  static auto *live = new std::unordered_set<const GdiObject *>();
  return *live;
}

thread_local DWORD lastError = ERROR_SUCCESS;

template <typename T>
T *Stock(T *object) {
  object->stock = true;
  Register(object);
  return object;
}

// What a fresh DC holds, as on Windows: no bitmap to draw on (the stock
// stand-in has no pixels), a black 1-pixel pen, a white brush, the system font.
struct StockObjects {
  Bitmap *bitmap = Stock(new Bitmap(0, 0, true));
  Pen *pen = Stock(new Pen(PS_SOLID, 1, RGB(0, 0, 0)));
  Brush *brush = Stock(new Brush(RGB(255, 255, 255)));
  Font *font = Stock(new Font());
};

StockObjects &stock() {
  static auto *objects = new StockObjects();
  return *objects;
}

void Destroy(GdiObject *object) {
  Unregister(object);
  delete object;
}

void Select(GdiObject *object) { ++object->selections; }

// A DC lets go of an object; one whose deletion waited for this goes now.
void Deselect(GdiObject *object) {
  if (object == nullptr) return;
  --object->selections;
  if (object->deletePending && object->selections <= 0) delete object;
}

template <typename T>
HGDIOBJ Swap(T *&slot, T *object) {
  T *previous = slot;
  Select(object);
  slot = object;
  Deselect(previous);
  // A previous object whose deletion was pending is gone; its handle, like on
  // Windows after a deferred delete, is of no further use but is still what
  // the caller gets back.
  return previous;
}

}  // namespace

void Register(GdiObject *object) {
  std::lock_guard<std::mutex> guard(registryLock);
  registry().insert(object);
}

void Unregister(GdiObject *object) {
  std::lock_guard<std::mutex> guard(registryLock);
  registry().erase(object);
}

GdiObject *Lookup(const void *handle) {
  if (handle == nullptr) return nullptr;
  std::lock_guard<std::mutex> guard(registryLock);
  auto found = registry().find(static_cast<const GdiObject *>(handle));
  return found != registry().end() ? const_cast<GdiObject *>(*found) : nullptr;
}

void SetError(DWORD code) { lastError = code; }

}  // namespace win32

using namespace win32;

HANDLE GetCurrentProcess() { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)); }

DWORD GetGuiResources(HANDLE process, DWORD flags) {
  if (process != GetCurrentProcess() || flags != GR_GDIOBJECTS) return 0;
  std::lock_guard<std::mutex> guard(registryLock);
  return static_cast<DWORD>(registry().size());
}

DWORD GetLastError() { return lastError; }
void SetLastError(DWORD error) { lastError = error; }

HDC CreateCompatibleDC(HDC hdc) {
  if (hdc != nullptr && LookupDC(hdc) == nullptr) {
    SetError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  StockObjects &defaults = stock();
  auto *dc = new DeviceContext();
  dc->bitmap = defaults.bitmap;
  dc->pen = defaults.pen;
  dc->brush = defaults.brush;
  dc->font = defaults.font;
  Select(dc->bitmap);
  Select(dc->pen);
  Select(dc->brush);
  Select(dc->font);
  Register(dc);
  return reinterpret_cast<HDC>(dc);
}

BOOL DeleteDC(HDC hdc) {
  DeviceContext *dc = LookupDC(hdc);
  if (dc == nullptr) {
    SetError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  Unregister(dc);
  Deselect(dc->bitmap);
  Deselect(dc->pen);
  Deselect(dc->brush);
  Deselect(dc->font);
  delete dc;
  return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
  DeviceContext *dc = LookupDC(hdc);
  GdiObject *selected = Lookup(object);
  if (dc == nullptr || selected == nullptr) {
    SetError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  switch (selected->kind) {
    case Kind::Bitmap: {
      auto *bitmap = static_cast<Bitmap *>(selected);
      if (bitmap == dc->bitmap) return bitmap;
      // A bitmap draws through one DC at a time.
      if (!bitmap->stock && bitmap->selections > 0) {
        SetError(ERROR_INVALID_PARAMETER);
        return nullptr;
      }
      return Swap(dc->bitmap, bitmap);
    }
    case Kind::Pen:
      return Swap(dc->pen, static_cast<Pen *>(selected));
    case Kind::Brush:
      return Swap(dc->brush, static_cast<Brush *>(selected));
    case Kind::Font:
      return Swap(dc->font, static_cast<Font *>(selected));
    case Kind::DeviceContext:
      break;
  }
  SetError(ERROR_INVALID_HANDLE);
  return nullptr;
}

BOOL DeleteObject(HGDIOBJ object) {
  GdiObject *target = Lookup(object);
  if (target == nullptr || target->kind == Kind::DeviceContext) {
    SetError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (target->stock) return TRUE;
  if (target->selections > 0) {
    // A bitmap in a DC cannot be deleted; a pen, brush or font goes once the
    // DC lets go of it, and its handle is dead from now on.
    if (target->kind == Kind::Bitmap) {
      SetError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    Unregister(target);
    target->deletePending = true;
    return TRUE;
  }
  Destroy(target);
  return TRUE;
}

int GetObjectA(HGDIOBJ object, int size, LPVOID buffer) {
  Bitmap *bitmap = LookupBitmap(object);
  if (bitmap == nullptr) {
    SetError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (buffer == nullptr) return sizeof(BITMAP);
  if (size < static_cast<int>(sizeof(BITMAP))) {
    SetError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  BITMAP info = {};
  info.bmType = 0;
  info.bmWidth = bitmap->width;
  info.bmHeight = bitmap->height;
  info.bmWidthBytes = bitmap->stride * 4;
  info.bmPlanes = 1;
  info.bmBitsPixel = 32;
  info.bmBits = bitmap->bits;
  *static_cast<BITMAP *>(buffer) = info;
  return sizeof(BITMAP);
}

HPEN CreatePen(int style, int width, COLORREF color) {
  if (style < PS_SOLID || style > PS_NULL) {
    SetError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // Width 0 draws one pixel wide, as on Windows; past kMaxPenWidth a pen
  // would only cost time, never show more on a panel.
  auto *pen = new Pen(style, std::clamp(width, 1, kMaxPenWidth), color & 0x00FFFFFFu);
  Register(pen);
  return reinterpret_cast<HPEN>(pen);
}

HBRUSH CreateSolidBrush(COLORREF color) {
  auto *brush = new Brush(color & 0x00FFFFFFu);
  Register(brush);
  return reinterpret_cast<HBRUSH>(brush);
}

namespace {

// Replaces one setting of a DC and returns the one before, or `failure`
// (with the error set) for a handle that is no DC.
template <typename T>
T Exchange(HDC hdc, T win32::DeviceContext::*setting, T value, T failure) {
  win32::DeviceContext *dc = win32::LookupDC(hdc);
  if (dc == nullptr) {
    win32::SetError(ERROR_INVALID_HANDLE);
    return failure;
  }
  const T previous = dc->*setting;
  dc->*setting = value;
  return previous;
}

}  // namespace

COLORREF SetTextColor(HDC hdc, COLORREF color) {
  return Exchange(hdc, &win32::DeviceContext::textColor, color & 0x00FFFFFFu, COLORREF(CLR_INVALID));
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
  return Exchange(hdc, &win32::DeviceContext::bkColor, color & 0x00FFFFFFu, COLORREF(CLR_INVALID));
}

int SetBkMode(HDC hdc, int mode) {
  DeviceContext *dc = LookupDC(hdc);
  if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) {
    SetError(dc == nullptr ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
    return 0;
  }
  const int previous = dc->bkMode;
  dc->bkMode = mode;
  return previous;
}

UINT SetTextAlign(HDC hdc, UINT align) {
  return Exchange(hdc, &win32::DeviceContext::textAlign, align, UINT(GDI_ERROR));
}

BOOL MoveToEx(HDC hdc, int x, int y, POINT *previous) {
  DeviceContext *dc = LookupDC(hdc);
  if (dc == nullptr) {
    SetError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (previous != nullptr) *previous = dc->position;
  dc->position = {x, y};
  return TRUE;
}
