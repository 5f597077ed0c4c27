// The Windows types the host API names, and nothing else: what the decorated
// names are made from when the API's declarations are read for a Windows
// target without a Windows system (host/abi/decorated_names.py). Each type is
// the one windows.h declares, since the type is part of the name.
#pragma once

typedef int BOOL;
typedef unsigned int UINT;
typedef unsigned long DWORD;
typedef long LONG;
typedef struct tagRECT {
  LONG left, top, right, bottom;
} RECT;
typedef struct HBITMAP__ *HBITMAP;
typedef struct HDC__ *HDC;
