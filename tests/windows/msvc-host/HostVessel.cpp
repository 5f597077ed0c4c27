// The VESSEL and VESSEL2 members and the oapi functions the module calls,
// other than the panel's: enough of a vessel for the module's systems to
// read and drive, in orbit around a planet that only has a mass and a size.
#include <stdio.h>

#include "Host.h"

HostVessel ship;
Calls calls;
double simTime;

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;
constexpr double kEarthMass = 5.973698968e24, kEarthRadius = 6.37101e6;

// What the module gets for what this host does not model: distinct, never
// null, never looked into.
char handles[256];
int handlesGiven;
void *NewHandle() { return &handles[handlesGiven++ % 256]; }
char earth;  // the gravity reference's handle

HostVessel &Of(Vessel *vessel) { return *reinterpret_cast<HostVessel *>(vessel); }

int Format(char *out, int size, const char *format, ...) {
  va_list args;
  va_start(args, format);
  int n = _vsnprintf(out, size, format, args);
  va_end(args);
  out[size - 1] = '\0';
  return n < 0 || n >= size ? size - 1 : n;
}

bool Starts(const char *line, const char *word) { return strncmp(line, word, strlen(word)) == 0; }

// "x y z" after the line's first word.
void ReadVector(const char *line, VECTOR3 &v, double scale) {
  const char *values = strchr(line, ' ');
  if (values != nullptr && sscanf(values, "%lf %lf %lf", &v.x, &v.y, &v.z) == 3) v = v * scale;
}

void WriteVector(FILEHANDLE scn, const char *item, const VECTOR3 &v, double scale) {
  char value[kLineSize];
  Format(value, kLineSize, "%.6f %.6f %.6f", v.x * scale, v.y * scale, v.z * scale);
  oapiWriteScenario_string(scn, const_cast<char *>(item), value);
}

Propellant *FindPropellant(PROPELLANT_HANDLE ph) {
  for (Propellant &p : ship.propellants)
    if (&p == ph && p.live) return &p;
  return nullptr;
}

Thruster *FindThruster(THRUSTER_HANDLE th) {
  for (Thruster &t : ship.thrusters)
    if (&t == th && t.live) return &t;
  return nullptr;
}

double PropellantMass() {
  double mass = 0.0;
  for (int i = 0; i < ship.propellantCount; ++i)
    if (ship.propellants[i].live) mass += ship.propellants[i].mass;
  return mass;
}

// Fills the caller's list, up to its size, with `level` of each live entry.
template <typename Entry, typename Item>
void FillList(Entry *list, DWORD &count, const Item *items, int itemCount, double (*level)(const Item &)) {
  DWORD n = 0;
  for (int i = 0; i < itemCount && list != nullptr && n < count; ++i) {
    if (!items[i].live) continue;
    list[n].idx = n;
    list[n].level = level(items[i]);
    ++n;
  }
  count = n;
}

// The SDK requires a resource's mass to stay within 0 and its capacity: the
// host keeps what it is given, but counts what does not.
double Fill(double mass, double maxMass) {
  if ((mass < 0.0 || mass > maxMass) && calls.overfills++ == 0) calls.overfill[0] = mass, calls.overfill[1] = maxMass;
  return mass;
}

double FuelLevel(const Propellant &p) { return p.maxMass > 0.0 ? p.mass / p.maxMass : 0.0; }
double ThrustLevel(const Thruster &t) { return t.level; }

}  // namespace

void WriteDefaultLines(FILEHANDLE scn) {
  oapiWriteScenario_string(scn, const_cast<char *>("STATUS"),
                           const_cast<char *>(ship.status == 1 ? "Landed Earth" : "Orbiting Earth"));
  WriteVector(scn, "RPOS", ship.rpos, 1.0);
  WriteVector(scn, "RVEL", ship.rvel, 1.0);
  WriteVector(scn, "AROT", ship.arot, 1.0 / kDegree);
  char levels[kLineSize] = "";
  int length = 0;
  for (int i = 0, n = 0; i < ship.propellantCount; ++i) {
    if (!ship.propellants[i].live) continue;
    length +=
        Format(levels + length, kLineSize - length, "%s%d:%.6f", n > 0 ? " " : "", n, FuelLevel(ship.propellants[i]));
    ++n;
  }
  if (length > 0) oapiWriteScenario_string(scn, const_cast<char *>("PRPLEVEL"), levels);
}

// The module's construction and its scenario lines.

VESSEL::VESSEL(OBJHANDLE hVessel, int fmodel)
    : vessel(reinterpret_cast<Vessel *>(hVessel)), flightmodel(static_cast<short>(fmodel)), version(0) {}

VESSEL2::VESSEL2(OBJHANDLE hVessel, int fmodel) : VESSEL(hVessel, fmodel) { version = 1; }

// The status is the VESSELSTATUS2 the host passed to clbkLoadStateEx; the
// host applies it once the block is read.
void VESSEL::ParseScenarioLineEx(char *line, void *status) const {
  VESSELSTATUS2 &s = *static_cast<VESSELSTATUS2 *>(status);
  ++calls.parsedLines;
  if (Starts(line, "STATUS"))
    s.status = strstr(line, "Landed") != nullptr ? 1 : 0;
  else if (Starts(line, "RPOS"))
    ReadVector(line, s.rpos, 1.0);
  else if (Starts(line, "RVEL"))
    ReadVector(line, s.rvel, 1.0);
  else if (Starts(line, "AROT"))
    ReadVector(line, s.arot, kDegree);
  else if (Starts(line, "VROT"))
    ReadVector(line, s.vrot, kDegree);
}

void VESSEL::SaveDefaultState(FILEHANDLE scn) const { WriteDefaultLines(scn); }

bool oapiReadScenario_nextline(FILEHANDLE scn, char *&line) {
  ScenarioBlock &block = *static_cast<ScenarioBlock *>(scn);
  if (block.next >= block.count) return false;
  memcpy(block.current, block.lines[block.next++], kLineSize);
  line = block.current;
  return true;
}

void oapiWriteScenario_string(FILEHANDLE scn, char *item, char *string) {
  SaveText &save = *static_cast<SaveText *>(scn);
  const int room = static_cast<int>(sizeof save.text) - save.length;
  save.length += Format(save.text + save.length, room, "  %s %s\n", item, string);
}

void oapiWriteScenario_int(FILEHANDLE scn, char *item, int i) {
  char value[16];
  Format(value, sizeof value, "%d", i);
  oapiWriteScenario_string(scn, item, value);
}

// VESSEL2's defaults, which a module's class calls as its base.

void VESSEL2::clbkSetClassCaps(FILEHANDLE) {}
void VESSEL2::clbkSaveState(FILEHANDLE scn) {
  ++calls.defaultSaves;
  WriteDefaultLines(scn);
}
void VESSEL2::clbkLoadStateEx(FILEHANDLE scn, void *status) {
  char *line;
  while (oapiReadScenario_nextline(scn, line)) ParseScenarioLineEx(line, status);
}
void VESSEL2::clbkSetStateEx(const void *) {}
void VESSEL2::clbkPostCreation() {}
void VESSEL2::clbkFocusChanged(bool, OBJHANDLE, OBJHANDLE) {}
void VESSEL2::clbkPreStep(double, double, double) {}
void VESSEL2::clbkPostStep(double, double, double) {}
bool VESSEL2::clbkPlaybackEvent(double, double, const char *, const char *) { return false; }
void VESSEL2::clbkVisualCreated(VISHANDLE, int) {}
void VESSEL2::clbkVisualDestroyed(VISHANDLE, int) {}
void VESSEL2::clbkDrawHUD(int, const HUDPAINTSPEC *, HDC) {}
void VESSEL2::clbkRCSMode(int) {}
void VESSEL2::clbkADCtrlMode(DWORD) {}
void VESSEL2::clbkHUDMode(int) {}
void VESSEL2::clbkMFDMode(int, int) {}
void VESSEL2::clbkNavMode(int, bool) {}
void VESSEL2::clbkDockEvent(int, OBJHANDLE) {}
void VESSEL2::clbkAnimate(double) {}
int VESSEL2::clbkConsumeDirectKey(char *) { return 0; }
int VESSEL2::clbkConsumeBufferedKey(DWORD, bool, char *) { return 0; }
bool VESSEL2::clbkLoadGenericCockpit() { return false; }
bool VESSEL2::clbkLoadPanel(int) { return false; }
bool VESSEL2::clbkPanelMouseEvent(int, int, int, int) { return false; }
bool VESSEL2::clbkPanelRedrawEvent(int, int, SURFHANDLE) { return false; }
bool VESSEL2::clbkLoadVC(int) { return false; }
bool VESSEL2::clbkVCMouseEvent(int, int, VECTOR3 &) { return false; }
bool VESSEL2::clbkVCRedrawEvent(int, int, SURFHANDLE) { return false; }

// Where the vessel is and how it flies: a fixed orbit, nose prograde.

const OBJHANDLE VESSEL::GetHandle() const { return &Of(vessel); }
char *VESSEL::GetName() const { return Of(vessel).name; }
const OBJHANDLE VESSEL::GetGravityRef() const { return &earth; }
double VESSEL::GetAltitude() const { return length(Of(vessel).rpos) - kEarthRadius; }
double VESSEL::GetPitch() const { return 0.0; }
double VESSEL::GetBank() const { return 0.0; }
double VESSEL::GetAOA() const { return 0.0; }
double VESSEL::GetAtmPressure() const { return 0.0; }
double VESSEL::GetAtmDensity() const { return 0.0; }
UINT VESSEL::DockingStatus(UINT) const { return 0; }
void VESSEL::GetGlobalPos(VECTOR3 &pos) const { pos = Of(vessel).rpos; }
void VESSEL::GetRelativePos(OBJHANDLE, VECTOR3 &pos) const { pos = Of(vessel).rpos; }
void VESSEL::Global2Local(const VECTOR3 &global, VECTOR3 &local) const { local = global - Of(vessel).rpos; }
void VESSEL::Local2Rel(const VECTOR3 &local, VECTOR3 &rel) const { rel = local + Of(vessel).rpos; }

void VESSEL::GetStatus(VESSELSTATUS &status) const {
  memset(&status, 0, sizeof status);
  const HostVessel &v = Of(vessel);
  status.rpos = v.rpos, status.rvel = v.rvel, status.vrot = v.vrot, status.arot = v.arot;
  status.rbody = &earth;
  status.status = v.status;
  status.fuel = v.propellantCount > 0 ? FuelLevel(v.propellants[0]) : 0.0;
}

// The module hands in its own fuel and thruster lists, sized in nfuel and
// nthruster; the host fills them and says how many it filled.
void VESSEL::GetStatusEx(void *status) const {
  VESSELSTATUS2 &s = *static_cast<VESSELSTATUS2 *>(status);
  ++calls.statusEx;
  if (s.version != 2) return;
  const HostVessel &v = Of(vessel);
  s.rbody = &earth, s.base = nullptr, s.port = 0, s.status = v.status;
  s.rpos = v.rpos, s.rvel = v.rvel, s.vrot = v.vrot, s.arot = v.arot;
  s.surf_lng = s.surf_lat = s.surf_hdg = 0.0;
  if (s.flag & VS_FUELLIST) FillList(s.fuel, s.nfuel, v.propellants, v.propellantCount, FuelLevel);
  if (s.flag & VS_THRUSTLIST) FillList(s.thruster, s.nthruster, v.thrusters, v.thrusterCount, ThrustLevel);
  if (s.flag & VS_DOCKINFOLIST) s.ndockinfo = 0;
  s.xpdr = 0;
}

double oapiGetMass(OBJHANDLE hObj) {
  if (hObj == &earth) return kEarthMass;
  return hObj == &ship ? ship.emptyMass + PropellantMass() : 0.0;
}
double oapiGetSize(OBJHANDLE hObj) { return hObj == &earth ? kEarthRadius : hObj == &ship ? ship.size : 0.0; }
BOOL oapiGetAirspeed(OBJHANDLE hVessel, double *airspeed) {
  *airspeed = length(ship.rvel);
  return hVessel == &ship;
}
BOOL oapiGetHeading(OBJHANDLE hVessel, double *heading) {
  *heading = 0.0;
  return hVessel == &ship;
}
double oapiGetSimTime() { return simTime; }
double oapiGetSysStep() { return 0.1; }
char *oapiDebugString() {
  static char text[256];
  return text;
}

// A separation's dropped stage: the host only counts it.
OBJHANDLE oapiCreateVessel(const char *name, const char *classname, const VESSELSTATUS &) {
  ++calls.createdVessels;
  Format(calls.created, sizeof calls.created, "%s:%s", name, classname);
  return NewHandle();
}

// The vessel's build: masses, shape, meshes and docks.

double VESSEL::GetMass() const { return Of(vessel).emptyMass + PropellantMass(); }
double VESSEL::GetEmptyMass() const { return Of(vessel).emptyMass; }
void VESSEL::SetEmptyMass(double m) const { Of(vessel).emptyMass = m; }
void VESSEL::SetSize(double size) const { Of(vessel).size = size; }
void VESSEL::SetCW(double, double, double, double) const {}
void VESSEL::SetCrossSections(const VECTOR3 &) const {}
void VESSEL::SetRotDrag(const VECTOR3 &) const {}
void VESSEL::SetPMI(const VECTOR3 &) const {}
void VESSEL::SetCameraOffset(const VECTOR3 &) const {}
void VESSEL::SetTouchdownPoints(const VECTOR3 &, const VECTOR3 &, const VECTOR3 &) const {}
void VESSEL::ShiftCentreOfMass(const VECTOR3 &) {}
void VESSEL::ClearMeshes() const { Of(vessel).meshes = 0; }
UINT VESSEL::AddMesh(MESHHANDLE, const VECTOR3 *) const { return Of(vessel).meshes++; }
const MESHHANDLE oapiLoadMeshGlobal(const char *) { return NewHandle(); }
DOCKHANDLE VESSEL::CreateDock(const VECTOR3 &, const VECTOR3 &, const VECTOR3 &) const {
  ++Of(vessel).docks;
  return NewHandle();
}
void VESSEL::ClearDockDefinitions() const { Of(vessel).docks = 0; }

// Propellants, thrusters and exhausts.

PROPELLANT_HANDLE VESSEL::CreatePropellantResource(double maxmass, double mass, double efficiency) const {
  HostVessel &v = Of(vessel);
  if (v.propellantCount == 64) return nullptr;
  v.propellants[v.propellantCount] = {maxmass, mass < 0.0 ? maxmass : Fill(mass, maxmass), efficiency, true};
  return &v.propellants[v.propellantCount++];
}
void VESSEL::DelPropellantResource(PROPELLANT_HANDLE &ph) const {
  if (Propellant *p = FindPropellant(ph)) p->live = false;
  ph = nullptr;
}
double VESSEL::GetPropellantMaxMass(PROPELLANT_HANDLE ph) const {
  const Propellant *p = FindPropellant(ph);
  return p != nullptr ? p->maxMass : 0.0;
}
double VESSEL::GetPropellantMass(PROPELLANT_HANDLE ph) const {
  const Propellant *p = FindPropellant(ph);
  return p != nullptr ? p->mass : 0.0;
}
void VESSEL::SetPropellantMass(PROPELLANT_HANDLE ph, double mass) const {
  if (Propellant *p = FindPropellant(ph)) p->mass = Fill(mass, p->maxMass);
}
void VESSEL::SetPropellantMaxMass(PROPELLANT_HANDLE ph, double maxmass) const {
  if (Propellant *p = FindPropellant(ph)) p->maxMass = maxmass;
}

THRUSTER_HANDLE VESSEL::CreateThruster(const VECTOR3 &, const VECTOR3 &, double, PROPELLANT_HANDLE, double, double,
                                       double) const {
  HostVessel &v = Of(vessel);
  if (v.thrusterCount == 128) return nullptr;
  v.thrusters[v.thrusterCount] = {0.0, true};
  return &v.thrusters[v.thrusterCount++];
}
void VESSEL::ClearThrusterDefinitions() const {
  HostVessel &v = Of(vessel);
  for (Thruster &t : v.thrusters) t.live = false;
  v.groupCount = 0;
}
void VESSEL::SetThrusterLevel(THRUSTER_HANDLE th, double level) const {
  if (Thruster *t = FindThruster(th)) t->level = level;
}
// A group's level is its first thruster's.
THGROUP_HANDLE VESSEL::CreateThrusterGroup(THRUSTER_HANDLE *th, int nth, THGROUP_TYPE thgt) const {
  HostVessel &v = Of(vessel);
  if (v.groupCount == 16) return nullptr;
  v.groups[v.groupCount] = {thgt, nth > 0 ? FindThruster(th[0]) : nullptr};
  return &v.groups[v.groupCount++];
}
double VESSEL::GetThrusterGroupLevel(THGROUP_TYPE thgt) const {
  const HostVessel &v = Of(vessel);
  for (int i = 0; i < v.groupCount; ++i)
    if (v.groups[i].type == thgt && v.groups[i].first != nullptr) return v.groups[i].first->level;
  return 0.0;
}
UINT VESSEL::AddExhaust(THRUSTER_HANDLE, double, double, SURFHANDLE) const { return Of(vessel).exhausts++; }
UINT VESSEL::AddExhaust(THRUSTER_HANDLE, double, double, const VECTOR3 &, const VECTOR3 &, SURFHANDLE) const {
  return Of(vessel).exhausts++;
}
PSTREAM_HANDLE VESSEL::AddExhaustStream(THRUSTER_HANDLE, PARTICLESTREAMSPEC *) const { return NewHandle(); }
SURFHANDLE oapiRegisterParticleTexture(char *) { return NewHandle(); }
