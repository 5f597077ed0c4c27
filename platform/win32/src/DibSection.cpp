// DIB sections (bitmaps whose pixels the caller reads and writes in the
// Windows layout) and block transfers between DCs.
#include "GdiObjects.h"

using namespace win32;

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO *info, UINT usage, void **bits, HANDLE section,
                         DWORD offset) {
  if (bits != nullptr) *bits = nullptr;
  if (info == nullptr || usage != DIB_RGB_COLORS || section != nullptr) {
    SetError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const BITMAPINFOHEADER &header = info->bmiHeader;
  // The stand-in keeps every bitmap in 32 bits, so only that layout can be
  // handed out as is.
  if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biBitCount != 32 || header.biCompression != BI_RGB ||
      header.biHeight == INT32_MIN) {
    SetError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const bool topDown = header.biHeight < 0;
  Bitmap *bitmap = NewBitmap(header.biWidth, topDown ? -header.biHeight : header.biHeight, topDown);
  if (bitmap == nullptr) return nullptr;
  if (bits != nullptr) *bits = bitmap->bits;
  return reinterpret_cast<HBITMAP>(bitmap);
}

BOOL BitBlt(HDC dest, int x, int y, int cx, int cy, HDC src, int x1, int y1, DWORD rop) {
  DeviceContext *to = LookupDC(dest);
  DeviceContext *from = LookupDC(src);
  if (to == nullptr || from == nullptr) {
    SetError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (rop != SRCCOPY) {
    SetError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  CopyPixels(*to->bitmap, x, y, *from->bitmap, x1, y1, cx, cy, false, 0);
  return TRUE;
}
