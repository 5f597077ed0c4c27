// What the host's parts share: the one vessel it flies, the scenario block it
// reads and the saves it collects, and the panel the module registers.
// Everything lives in zero-initialised globals: there is no C runtime here to
// run constructors before the entry point.
#pragma once

class ATMOSPHERE;
class Instrument_User;
#include "Orbitersdk.h"

constexpr int kLineSize = 256;

// The lines of the vessel's scenario block, handed out one at a time as the
// FILEHANDLE of clbkLoadStateEx.
struct ScenarioBlock {
  char lines[64][kLineSize];
  int count, next;
  char current[kLineSize];  // the module may write into the line it gets
};

// The text of one save, as the host would put it between NAME:CLASS and END.
struct SaveText {
  char text[16384];
  int length;
};

struct Propellant {
  double maxMass, mass, efficiency;
  bool live;
};

struct Thruster {
  double level;
  bool live;
};

struct ThrusterGroup {
  THGROUP_TYPE type;
  Thruster *first;
};

// The host's side of the vessel: what VESSEL's `vessel` points to.
struct HostVessel {
  char name[64];
  int status;  // 0 flying, 1 landed
  VECTOR3 rpos, rvel, vrot, arot;
  double emptyMass, size;
  Propellant propellants[64];
  int propellantCount;
  Thruster thrusters[128];
  int thrusterCount;
  ThrusterGroup groups[16];
  int groupCount;
  int meshes, docks, exhausts;
};

// A panel area as the module registered it, with the surface it draws on.
struct PanelArea {
  int id;
  RECT rect;
  int redrawEvent, mouseEvents, backgroundMode;
  SURFHANDLE surface;
};

struct Panel {
  SURFHANDLE background;  // a copy of the module's bitmap
  PanelArea areas[64];
  int areaCount;
};

// Counts of what the module asked of the host, for the checks.
struct Calls {
  int statusEx, parsedLines, defaultSaves, createdVessels;
  int overfills;       // masses set outside 0 to the resource's capacity
  double overfill[2];  // the first: mass and capacity
  char created[64];    // NAME:CLASS of the last vessel the module made
};

extern HostVessel ship;
extern Panel panel;
extern Calls calls;
extern double simTime;

// The host's own default lines, as VESSEL2::clbkSaveState writes them.
void WriteDefaultLines(FILEHANDLE scn);
// The pixels of a surface, for seeing whether a redraw drew.
const unsigned *SurfacePixels(SURFHANDLE surface, int *count);
// Copies the panel background under `area` onto its surface.
void MapBackground(const PanelArea &area);
