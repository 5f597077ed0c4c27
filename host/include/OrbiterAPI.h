// The host API: types, constants and oapi functions, declared as the host's
// SDK declares them (names, nesting, parameter and return types, constness and
// layouts), so that a module built against these headers calls exactly what
// the real host exports. Where the host takes text as `char *`, it still only
// reads it.
#pragma once

#include <windows.h>

// A module exports its callbacks by their plain names. On Windows the host
// library exports everything it has (the linker's export-all), so the host's
// functions need no marking there.
#ifdef _WIN32
#define OAPIFUNC
#define DLLCLBK extern "C" __declspec(dllexport)
#else
#define OAPIFUNC __attribute__((visibility("default")))
#define DLLCLBK extern "C" __attribute__((visibility("default")))
#endif

// ----------------------------------------------------------------- vectors

typedef union {
  double data[3];
  struct {
    double x, y, z;
  };
} VECTOR3;

typedef union {
  double data[9];
  struct {
    double m11, m12, m13, m21, m22, m23, m31, m32, m33;
  };
} MATRIX3;

inline VECTOR3 _V(double x, double y, double z) {
  VECTOR3 v;
  v.x = x;
  v.y = y;
  v.z = z;
  return v;
}

// ----------------------------------------------------------------- handles

typedef void *OBJHANDLE;
typedef void *MESHHANDLE;
typedef void *SURFHANDLE;
typedef void *FILEHANDLE;
typedef void *PROPELLANT_HANDLE;
typedef void *THRUSTER_HANDLE;
typedef void *THGROUP_HANDLE;
typedef void *DOCKHANDLE;
typedef void *PSTREAM_HANDLE;
typedef void *VISHANDLE;

// What the host passes a vessel drawing its head-up display; no module of
// ours draws one, so its members are not declared.
struct HUDPAINTSPEC;

// ----------------------------------------------------------- thruster groups

enum THGROUP_TYPE {
  THGROUP_MAIN,
  THGROUP_RETRO,
  THGROUP_HOVER,
  THGROUP_ATT_PITCHUP,
  THGROUP_ATT_PITCHDOWN,
  THGROUP_ATT_YAWLEFT,
  THGROUP_ATT_YAWRIGHT,
  THGROUP_ATT_BANKLEFT,
  THGROUP_ATT_BANKRIGHT,
  THGROUP_ATT_RIGHT,
  THGROUP_ATT_LEFT,
  THGROUP_ATT_UP,
  THGROUP_ATT_DOWN,
  THGROUP_ATT_FORWARD,
  THGROUP_ATT_BACK,
  THGROUP_USER = 0x40
};

// ---------------------------------------------------------- status records

typedef struct {
  VECTOR3 rpos;  // position relative to rbody, global orientation [m]
  VECTOR3 rvel;  // velocity relative to rbody [m/s]
  VECTOR3 vrot;  // angular velocity in the vessel frame [rad/s]
  VECTOR3 arot;  // orientation angles against the global frame [rad]
  double fuel;
  double eng_main;
  double eng_hovr;
  OBJHANDLE rbody;
  OBJHANDLE base;
  int port;
  int status;  // 0 free flight, 1 landed
  VECTOR3 vdata[10];
  double fdata[10];
  DWORD flag[10];
} VESSELSTATUS;

#define VS_FUELRESET 0x00000001
#define VS_FUELLIST 0x00000002
#define VS_THRUSTRESET 0x00000004
#define VS_THRUSTLIST 0x00000008
#define VS_DOCKINFOLIST 0x00000010

typedef struct {
  DWORD version;  // 2
  DWORD flag;
  OBJHANDLE rbody;
  OBJHANDLE base;
  int port;
  int status;
  VECTOR3 rpos;
  VECTOR3 rvel;
  VECTOR3 vrot;
  VECTOR3 arot;
  double surf_lng, surf_lat, surf_hdg;
  // With VS_FUELLIST the host fills the list: it allocates one when fuel is
  // null (the caller frees it with delete[]), otherwise it writes at most
  // nfuel entries into the caller's list. nfuel then holds the count written.
  DWORD nfuel;
  struct FUELSPEC {
    DWORD idx;
    double level;
  } *fuel;
  DWORD nthruster;  // same convention as nfuel, with VS_THRUSTLIST
  struct THRUSTSPEC {
    DWORD idx;
    double level;
  } *thruster;
  DWORD ndockinfo;
  struct DOCKINFOSPEC {
    DWORD idx;
    DWORD ridx;
    OBJHANDLE rvessel;
  } *dockinfo;
  DWORD xpdr;
} VESSELSTATUS2;

// --------------------------------------------------------- particle streams

typedef struct {
  DWORD flags;
  double srcsize;
  double srcrate;
  double v0;
  double srcspread;
  double lifetime;
  double growthrate;
  double atmslowdown;
  enum LTYPE { EMISSIVE, DIFFUSE } ltype;
  enum LEVELMAP { LVL_FLAT, LVL_LIN, LVL_SQRT, LVL_PLIN, LVL_PSQRT } levelmap;
  double lmin, lmax;
  enum ATMSMAP { ATM_FLAT, ATM_PLIN, ATM_PLOG } atmsmap;
  double amin, amax;
  SURFHANDLE tex;
} PARTICLESTREAMSPEC;

// ------------------------------------------------------------------- panels

#define PANEL_ATTACH_BOTTOM 0x0001
#define PANEL_ATTACH_TOP 0x0002
#define PANEL_ATTACH_LEFT 0x0004
#define PANEL_ATTACH_RIGHT 0x0008
#define PANEL_MOVEOUT_BOTTOM 0x0010
#define PANEL_MOVEOUT_TOP 0x0020
#define PANEL_MOVEOUT_LEFT 0x0040
#define PANEL_MOVEOUT_RIGHT 0x0080

#define PANEL_REDRAW_NEVER 0x00
#define PANEL_REDRAW_ALWAYS 0x01
#define PANEL_REDRAW_MOUSE 0x02
#define PANEL_REDRAW_INIT 0x03
#define PANEL_REDRAW_USER 0x04

#define PANEL_MOUSE_IGNORE 0x00
#define PANEL_MOUSE_LBDOWN 0x01
#define PANEL_MOUSE_RBDOWN 0x02
#define PANEL_MOUSE_LBUP 0x04
#define PANEL_MOUSE_RBUP 0x08
#define PANEL_MOUSE_LBPRESSED 0x10
#define PANEL_MOUSE_RBPRESSED 0x20
#define PANEL_MOUSE_DOWN 0x03
#define PANEL_MOUSE_UP 0x0C
#define PANEL_MOUSE_PRESSED 0x30
#define PANEL_MOUSE_ONREPLAY 0x40

#define PANEL_MAP_NONE 0x00
#define PANEL_MAP_BACKGROUND 0x01
#define PANEL_MAP_CURRENT 0x02
#define PANEL_MAP_BGONREQUEST 0x03
#define PANEL_MAP_DIRECT 0x04

#define SURF_NO_CK 0xFFFFFFFF

// --------------------------------------------------------------------- MFDs

#define MAXMFD 12
#define MFD_LEFT 0
#define MFD_RIGHT 1
#define MFD_USER1 2

typedef struct {
  RECT pos;       // screen rectangle on the panel
  int nbt_left;   // buttons on the left edge
  int nbt_right;  // buttons on the right edge
  int bt_yofs;    // y offset of the top button
  int bt_ydist;   // vertical distance between buttons
} MFDSPEC;

// --------------------------------------------------------------- key codes

#define OAPI_KEY_ESCAPE 0x01
#define OAPI_KEY_1 0x02
#define OAPI_KEY_2 0x03
#define OAPI_KEY_3 0x04
#define OAPI_KEY_4 0x05
#define OAPI_KEY_5 0x06
#define OAPI_KEY_6 0x07
#define OAPI_KEY_7 0x08
#define OAPI_KEY_8 0x09
#define OAPI_KEY_9 0x0A
#define OAPI_KEY_0 0x0B
#define OAPI_KEY_MINUS 0x0C
#define OAPI_KEY_EQUALS 0x0D
#define OAPI_KEY_BACK 0x0E
#define OAPI_KEY_TAB 0x0F
#define OAPI_KEY_Q 0x10
#define OAPI_KEY_W 0x11
#define OAPI_KEY_E 0x12
#define OAPI_KEY_R 0x13
#define OAPI_KEY_T 0x14
#define OAPI_KEY_Y 0x15
#define OAPI_KEY_U 0x16
#define OAPI_KEY_I 0x17
#define OAPI_KEY_O 0x18
#define OAPI_KEY_P 0x19
#define OAPI_KEY_LBRACKET 0x1A
#define OAPI_KEY_RBRACKET 0x1B
#define OAPI_KEY_RETURN 0x1C
#define OAPI_KEY_LCONTROL 0x1D
#define OAPI_KEY_A 0x1E
#define OAPI_KEY_S 0x1F
#define OAPI_KEY_D 0x20
#define OAPI_KEY_F 0x21
#define OAPI_KEY_G 0x22
#define OAPI_KEY_H 0x23
#define OAPI_KEY_J 0x24
#define OAPI_KEY_K 0x25
#define OAPI_KEY_L 0x26
#define OAPI_KEY_SEMICOLON 0x27
#define OAPI_KEY_APOSTROPHE 0x28
#define OAPI_KEY_GRAVE 0x29
#define OAPI_KEY_LSHIFT 0x2A
#define OAPI_KEY_BACKSLASH 0x2B
#define OAPI_KEY_Z 0x2C
#define OAPI_KEY_X 0x2D
#define OAPI_KEY_C 0x2E
#define OAPI_KEY_V 0x2F
#define OAPI_KEY_B 0x30
#define OAPI_KEY_N 0x31
#define OAPI_KEY_M 0x32
#define OAPI_KEY_COMMA 0x33
#define OAPI_KEY_PERIOD 0x34
#define OAPI_KEY_SLASH 0x35
#define OAPI_KEY_RSHIFT 0x36
#define OAPI_KEY_MULTIPLY 0x37
#define OAPI_KEY_LALT 0x38
#define OAPI_KEY_SPACE 0x39
#define OAPI_KEY_CAPITAL 0x3A
#define OAPI_KEY_F1 0x3B
#define OAPI_KEY_F2 0x3C
#define OAPI_KEY_F3 0x3D
#define OAPI_KEY_F4 0x3E
#define OAPI_KEY_F5 0x3F
#define OAPI_KEY_F6 0x40
#define OAPI_KEY_F7 0x41
#define OAPI_KEY_F8 0x42
#define OAPI_KEY_F9 0x43
#define OAPI_KEY_F10 0x44
#define OAPI_KEY_NUMLOCK 0x45
#define OAPI_KEY_SCROLL 0x46
#define OAPI_KEY_NUMPAD7 0x47
#define OAPI_KEY_NUMPAD8 0x48
#define OAPI_KEY_NUMPAD9 0x49
#define OAPI_KEY_SUBTRACT 0x4A
#define OAPI_KEY_NUMPAD4 0x4B
#define OAPI_KEY_NUMPAD5 0x4C
#define OAPI_KEY_NUMPAD6 0x4D
#define OAPI_KEY_ADD 0x4E
#define OAPI_KEY_NUMPAD1 0x4F
#define OAPI_KEY_NUMPAD2 0x50
#define OAPI_KEY_NUMPAD3 0x51
#define OAPI_KEY_NUMPAD0 0x52
#define OAPI_KEY_DECIMAL 0x53
#define OAPI_KEY_OEM_102 0x56
#define OAPI_KEY_F11 0x57
#define OAPI_KEY_F12 0x58
#define OAPI_KEY_NUMPADENTER 0x9C
#define OAPI_KEY_RCONTROL 0x9D
#define OAPI_KEY_DIVIDE 0xB5
#define OAPI_KEY_SYSRQ 0xB7
#define OAPI_KEY_RALT 0xB8
#define OAPI_KEY_PAUSE 0xC5
#define OAPI_KEY_HOME 0xC7
#define OAPI_KEY_UP 0xC8
#define OAPI_KEY_PRIOR 0xC9
#define OAPI_KEY_LEFT 0xCB
#define OAPI_KEY_RIGHT 0xCD
#define OAPI_KEY_END 0xCF
#define OAPI_KEY_DOWN 0xD0
#define OAPI_KEY_NEXT 0xD1
#define OAPI_KEY_INSERT 0xD2
#define OAPI_KEY_DELETE 0xD3

// ----------------------------------------------------------- oapi functions

// Bodies and flight state
OAPIFUNC double oapiGetMass(OBJHANDLE hObj);
OAPIFUNC double oapiGetSize(OBJHANDLE hObj);
OAPIFUNC BOOL oapiGetAirspeed(OBJHANDLE hVessel, double *airspeed);
OAPIFUNC BOOL oapiGetHeading(OBJHANDLE hVessel, double *heading);

// Vessels and meshes
OAPIFUNC OBJHANDLE oapiCreateVessel(const char *name, const char *classname,
                                    const VESSELSTATUS &status);
OAPIFUNC const MESHHANDLE oapiLoadMeshGlobal(const char *fname);
OAPIFUNC SURFHANDLE oapiRegisterParticleTexture(char *name);

// Scenario files
OAPIFUNC bool oapiReadScenario_nextline(FILEHANDLE scn, char *&line);
OAPIFUNC void oapiWriteScenario_string(FILEHANDLE scn, char *item, char *string);
OAPIFUNC void oapiWriteScenario_int(FILEHANDLE scn, char *item, int i);
OAPIFUNC void oapiWriteScenario_float(FILEHANDLE scn, char *item, double d);

// Panels
OAPIFUNC void oapiRegisterPanelBackground(HBITMAP hBmp,
                                          DWORD flag = PANEL_ATTACH_BOTTOM | PANEL_MOVEOUT_BOTTOM,
                                          DWORD ck = (DWORD)-1);
OAPIFUNC void oapiSetPanelNeighbours(int left, int right, int top, int bottom);
OAPIFUNC void oapiRegisterPanelArea(int id, const RECT &pos, int draw_event = PANEL_REDRAW_NEVER,
                                    int mouse_event = PANEL_MOUSE_IGNORE,
                                    int bkmode = PANEL_MAP_NONE);
OAPIFUNC void oapiTriggerPanelRedrawArea(int panel_id, int area_id);

// Surfaces and drawing
OAPIFUNC SURFHANDLE oapiCreateSurface(int width, int height);
OAPIFUNC SURFHANDLE oapiCreateSurface(HBITMAP hBmp, bool release_bmp = true);
OAPIFUNC void oapiDestroySurface(SURFHANDLE surf);
OAPIFUNC void oapiBlt(SURFHANDLE tgt, SURFHANDLE src, int tgtx, int tgty, int srcx, int srcy,
                      int w, int h, DWORD ck = SURF_NO_CK);
OAPIFUNC HDC oapiGetDC(SURFHANDLE surf);
OAPIFUNC void oapiReleaseDC(SURFHANDLE surf, HDC hDC);
OAPIFUNC double oapiGetSimTime();
OAPIFUNC double oapiGetSysStep();
OAPIFUNC char *oapiDebugString();

// MFDs
OAPIFUNC void oapiRegisterMFD(int mfd, const MFDSPEC &layout);
OAPIFUNC const char *oapiMFDButtonLabel(int mfd, int bt);
OAPIFUNC bool oapiProcessMFDButton(int mfd, int bt, int event);
OAPIFUNC int oapiSendMFDKey(int mfd, DWORD key);
OAPIFUNC void oapiToggleMFD_on(int mfd);
