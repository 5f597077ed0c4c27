// The subset of the Win32 API that the module and the host use, with the
// Windows names and layouts, so the same code reads as it would on Windows.
#pragma once

#include <cstdint>

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef unsigned int UINT;
typedef int32_t LONG;
typedef uint32_t COLORREF;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

typedef struct tagRECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
} RECT;

typedef struct tagPOINT {
  LONG x;
  LONG y;
} POINT;

// Handles are opaque pointers to objects the stand-in owns.
typedef struct HBITMAP__ *HBITMAP;
typedef struct HDC__ *HDC;
typedef struct HFONT__ *HFONT;
typedef struct HPEN__ *HPEN;
typedef struct HBRUSH__ *HBRUSH;
typedef struct HGDIOBJ__ *HGDIOBJ;
typedef struct HINSTANCE__ *HINSTANCE;
typedef struct HGLRC__ *HGLRC;

#define RGB(r, g, b) \
  ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
