// The VESSEL members a module calls, acting on the host's vessel.
#include <algorithm>
#include <cstring>

#include "HostMath.h"
#include "Simulation.h"
#include "VesselAPI.h"

// The host's vector arithmetic, for the VESSEL members outside its namespace.
using host::operator+;
using host::operator-;
using host::operator*;
using host::operator+=;

namespace {

// A VESSEL built on a handle the host never gave out still answers, from a
// vessel that belongs to no simulation, instead of crashing the host.
host::Vessel *detachedVessel() {
  static host::Planet nowhere;
  static host::Vessel detached("detached", "", nowhere);
  return &detached;
}

// The VESSEL keeps the host's vessel under the interface's opaque type; in
// this host that vessel is a host::Vessel.
host::Vessel &internal(Vessel *opaque) { return *reinterpret_cast<host::Vessel *>(opaque); }

}  // namespace

VESSEL::VESSEL(OBJHANDLE hVessel, int fmodel) : flightmodel(static_cast<short>(fmodel)), version(0) {
  host::Vessel *running = host::runningVessel(hVessel);
  vessel = reinterpret_cast<Vessel *>(running != nullptr ? running : detachedVessel());
  internal(vessel).interfaceAddress = this;
}

const OBJHANDLE VESSEL::GetHandle() const { return internal(vessel).handle(); }

char *VESSEL::GetName() const { return &internal(vessel).name[0]; }

void VESSEL::GetStatus(VESSELSTATUS &status) const { internal(vessel).fillStatus(status); }

void VESSEL::GetStatusEx(void *status) const {
  if (status == nullptr) return;
  VESSELSTATUS2 *record = static_cast<VESSELSTATUS2 *>(status);
  if (record->version == 2) internal(vessel).fillStatus(*record);
}

double VESSEL::GetAltitude() const { return internal(vessel).altitude(); }
double VESSEL::GetPitch() const { return internal(vessel).pitch(); }
double VESSEL::GetBank() const { return internal(vessel).bank(); }
double VESSEL::GetAOA() const { return internal(vessel).angleOfAttack(); }
double VESSEL::GetAtmDensity() const { return internal(vessel).reference->density(internal(vessel).altitude()); }
double VESSEL::GetAtmPressure() const { return internal(vessel).reference->pressure(internal(vessel).altitude()); }
double VESSEL::GetMass() const { return internal(vessel).mass(); }

UINT VESSEL::DockingStatus(UINT port) const {
  const auto &docks = internal(vessel).model.docks;
  return port < docks.size() && docks[port]->docked ? 1 : 0;
}

double VESSEL::GetThrusterGroupLevel(THGROUP_TYPE thgt) const {
  return internal(vessel).thrusterGroupLevel(internal(vessel).model.findGroup(thgt));
}

double VESSEL::GetThrusterGroupLevel(THGROUP_HANDLE thg) const {
  return internal(vessel).thrusterGroupLevel(internal(vessel).model.findGroup(thg));
}

const OBJHANDLE VESSEL::GetGravityRef() const { return internal(vessel).reference->handle(); }

void VESSEL::GetRelativePos(OBJHANDLE hRef, VECTOR3 &pos) const {
  host::Object *ref = host::runningObject(hRef);
  pos = ref != nullptr ? internal(vessel).globalPosition() - ref->globalPosition() : _V(0, 0, 0);
}

void VESSEL::GetGlobalPos(VECTOR3 &pos) const { pos = internal(vessel).globalPosition(); }

void VESSEL::Global2Local(const VECTOR3 &glob, VECTOR3 &loc) const {
  loc = internal(vessel).attitude.applyInverse(glob - internal(vessel).globalPosition());
}

void VESSEL::Local2Rel(const VECTOR3 &loc, VECTOR3 &rel) const {
  rel = internal(vessel).attitude.apply(loc) + internal(vessel).rpos;
}

void VESSEL::ClearMeshes() const { internal(vessel).model.meshes.clear(); }

UINT VESSEL::AddMesh(MESHHANDLE hMesh, const VECTOR3 *ofs) const {
  if (hMesh == nullptr) return (UINT)-1;
  auto &meshes = internal(vessel).model.meshes;
  meshes.push_back({static_cast<host::MeshFile *>(hMesh), ofs != nullptr ? *ofs : _V(0, 0, 0)});
  return static_cast<UINT>(meshes.size() - 1);
}

// Not clamped: a configuration adds its elements' full masses and then takes
// its tanks' capacities off, and the sum must come out right.
void VESSEL::SetEmptyMass(double m) const { internal(vessel).model.emptyMass = m; }
double VESSEL::GetEmptyMass() const { return internal(vessel).model.emptyMass; }
void VESSEL::SetSize(double size) const { internal(vessel).model.size = size; }

void VESSEL::SetCW(double cw_z_pos, double cw_z_neg, double cw_x, double cw_y) const {
  double *cw = internal(vessel).model.cw;
  cw[0] = cw_z_pos;
  cw[1] = cw_z_neg;
  cw[2] = cw_x;
  cw[3] = cw_y;
}

void VESSEL::SetCrossSections(const VECTOR3 &cs) const { internal(vessel).model.crossSections = cs; }
void VESSEL::SetRotDrag(const VECTOR3 &rd) const { internal(vessel).model.rotDrag = rd; }
void VESSEL::SetPMI(const VECTOR3 &pmi) const { internal(vessel).model.pmi = pmi; }
void VESSEL::SetCameraOffset(const VECTOR3 &co) const { internal(vessel).model.cameraOffset = co; }

void VESSEL::SetTouchdownPoints(const VECTOR3 &pt1, const VECTOR3 &pt2, const VECTOR3 &pt3) const {
  internal(vessel).model.touchdown[0] = pt1;
  internal(vessel).model.touchdown[1] = pt2;
  internal(vessel).model.touchdown[2] = pt3;
}

DOCKHANDLE VESSEL::CreateDock(const VECTOR3 &pos, const VECTOR3 &dir, const VECTOR3 &rot) const {
  auto dock = internal(vessel).model.make<host::Dock>();
  dock->position = pos;
  dock->direction = dir;
  dock->rotation = rot;
  internal(vessel).model.docks.push_back(std::move(dock));
  return internal(vessel).model.docks.back().get();
}

void VESSEL::ClearDockDefinitions() const { internal(vessel).model.docks.clear(); }

// The vessel's reference point moves by `shift`: the vessel stays where it is
// in space, so everything placed in its frame moves the other way.
void VESSEL::ShiftCentreOfMass(const VECTOR3 &shift) {
  internal(vessel).rpos += internal(vessel).attitude.apply(shift);
  internal(vessel).model.shiftPositions(shift * -1.0);
}

PROPELLANT_HANDLE VESSEL::CreatePropellantResource(double maxmass, double mass,
                                                   double efficiency) const {
  const double capacity = std::max(0.0, maxmass);
  const double contents = mass < 0.0 ? capacity : std::min(mass, capacity);
  host::VesselModel &model = internal(vessel).model;
  model.propellants.push_back(model.make<host::Propellant>(capacity, contents, efficiency));
  return model.propellants.back().get();
}

void VESSEL::DelPropellantResource(PROPELLANT_HANDLE &ph) const {
  if (host::Propellant *p = internal(vessel).model.findPropellant(ph)) internal(vessel).model.deletePropellant(p);
  ph = nullptr;
}

double VESSEL::GetPropellantMaxMass(PROPELLANT_HANDLE ph) const {
  const host::Propellant *p = internal(vessel).model.findPropellant(ph);
  return p != nullptr ? p->maxMass : 0.0;
}

double VESSEL::GetPropellantMass(PROPELLANT_HANDLE ph) const {
  const host::Propellant *p = internal(vessel).model.findPropellant(ph);
  return p != nullptr ? p->mass : 0.0;
}

// A resource's mass stays within 0 and its capacity, as the host requires of
// every module: a mass beyond the capacity is held at it.
void VESSEL::SetPropellantMass(PROPELLANT_HANDLE ph, double mass) const {
  host::Propellant *p = internal(vessel).model.findPropellant(ph);
  if (p == nullptr || !(mass >= 0)) return;
  p->mass = std::min(mass, p->maxMass);
}

void VESSEL::SetPropellantMaxMass(PROPELLANT_HANDLE ph, double maxmass) const {
  host::Propellant *p = internal(vessel).model.findPropellant(ph);
  if (p == nullptr || !(maxmass >= 0)) return;
  p->maxMass = maxmass;
  p->mass = std::min(p->mass, maxmass);
}

void VESSEL::ClearThrusterDefinitions() const { internal(vessel).model.clearThrusters(); }

THRUSTER_HANDLE VESSEL::CreateThruster(const VECTOR3 &pos, const VECTOR3 &dir, double maxth0,
                                       PROPELLANT_HANDLE hp, double isp0, double isp_ref,
                                       double p_ref) const {
  auto thruster = internal(vessel).model.make<host::Thruster>();
  thruster->position = pos;
  thruster->direction = host::unit(dir);
  thruster->maxThrust = maxth0;
  thruster->resource = internal(vessel).model.findPropellant(hp);
  thruster->isp = isp0;
  thruster->ispRef = isp_ref;
  thruster->pressureRef = p_ref;
  internal(vessel).model.thrusters.push_back(std::move(thruster));
  return internal(vessel).model.thrusters.back().get();
}

THGROUP_HANDLE VESSEL::CreateThrusterGroup(THRUSTER_HANDLE *th, int nth, THGROUP_TYPE thgt) const {
  auto group = internal(vessel).model.make<host::ThrusterGroup>();
  group->type = thgt;
  for (int i = 0; th != nullptr && i < nth; ++i)
    if (host::Thruster *t = internal(vessel).model.findThruster(th[i])) group->thrusters.push_back(t);
  auto &groups = internal(vessel).model.groups;
  // A standard group type has one group; a new one replaces the old.
  if (thgt != THGROUP_USER)
    groups.erase(std::remove_if(groups.begin(), groups.end(), [thgt](const auto &g) { return g->type == thgt; }),
                 groups.end());
  groups.push_back(std::move(group));
  return groups.back().get();
}

void VESSEL::SetThrusterLevel(THRUSTER_HANDLE th, double level) const {
  if (host::Thruster *t = internal(vessel).model.findThruster(th)) t->level = std::max(0.0, std::min(1.0, level));
}

void VESSEL::SetThrusterGroupLevel(THGROUP_TYPE thgt, double level) const {
  internal(vessel).setGroupLevel(thgt, level);
}

unsigned int VESSEL::AddExhaust(THRUSTER_HANDLE th, double lscale, double wscale, SURFHANDLE tex) const {
  host::Thruster *t = internal(vessel).model.findThruster(th);
  if (t == nullptr) return (unsigned int)-1;
  internal(vessel).model.exhausts.push_back({t, lscale, wscale, false, t->position, t->direction * -1.0, tex});
  return static_cast<unsigned int>(internal(vessel).model.exhausts.size() - 1);
}

unsigned int VESSEL::AddExhaust(THRUSTER_HANDLE th, double lscale, double wscale, const VECTOR3 &pos,
                                const VECTOR3 &dir, SURFHANDLE tex) const {
  host::Thruster *t = internal(vessel).model.findThruster(th);
  if (t == nullptr) return (unsigned int)-1;
  internal(vessel).model.exhausts.push_back({t, lscale, wscale, true, pos, dir, tex});
  return static_cast<unsigned int>(internal(vessel).model.exhausts.size() - 1);
}

namespace {

PSTREAM_HANDLE addStream(host::Vessel &vessel, THRUSTER_HANDLE th, const VECTOR3 *pos,
                         const PARTICLESTREAMSPEC *pss) {
  host::Thruster *t = vessel.model.findThruster(th);
  if (t == nullptr) return nullptr;
  auto stream = vessel.model.make<host::ExhaustStream>();
  stream->thruster = t;
  stream->hasPosition = pos != nullptr;
  stream->position = pos != nullptr ? *pos : t->position;
  stream->hasParticles = pss != nullptr;
  if (pss != nullptr) stream->particles = *pss;
  vessel.model.streams.push_back(std::move(stream));
  return vessel.model.streams.back().get();
}

}  // namespace

PSTREAM_HANDLE VESSEL::AddExhaustStream(THRUSTER_HANDLE th, PARTICLESTREAMSPEC *pss) const {
  return addStream(internal(vessel), th, nullptr, pss);
}

PSTREAM_HANDLE VESSEL::AddExhaustStream(THRUSTER_HANDLE th, const VECTOR3 &pos,
                                        PARTICLESTREAMSPEC *pss) const {
  return addStream(internal(vessel), th, &pos, pss);
}

void VESSEL::ParseScenarioLineEx(char *line, void *status) const {
  if (line != nullptr && status != nullptr) static_cast<host::ParsedStatus *>(status)->parseLine(line);
}

void VESSEL::SaveDefaultState(FILEHANDLE scn) const {
  if (scn != nullptr) internal(vessel).writeDefaultState(*static_cast<host::ScenarioWriter *>(scn));
}
