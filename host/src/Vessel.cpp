#include "Vessel.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "ScenarioFile.h"

namespace host {

namespace {

// The host's vacuum specific impulse for a thruster created without one.
constexpr double kDefaultIsp = 5e4;

double clampUnit(double x) { return std::max(-1.0, std::min(1.0, x)); }

// Specific impulse falls linearly with ambient pressure from its vacuum value
// to its value at the reference pressure.
double ispAt(const Thruster &t, double vacuumIsp, double ambientPressure) {
  if (t.ispRef <= 0.0 || t.pressureRef <= 0.0) return vacuumIsp;
  const double f = ambientPressure / t.pressureRef;
  return std::max(0.0, vacuumIsp * (1.0 - f) + t.ispRef * f);
}

}  // namespace

Vessel::Vessel(std::string vesselName, std::string vesselClass, Planet &gravityRef)
    : Object(std::move(vesselName)), reference(&gravityRef), className(std::move(vesselClass)) {}

Vessel::Thrust Vessel::burnPropellant(double dt) {
  Thrust total{_V(0, 0, 0), _V(0, 0, 0)};
  const double ambient = reference->pressure(altitude());
  for (const auto &t : model.thrusters) {
    Propellant *fuel = t->resource;
    if (t->level <= 0.0 || fuel == nullptr || fuel->mass <= 0.0) continue;
    const double vacuumIsp = (t->isp > 0.0 ? t->isp : kDefaultIsp) * fuel->efficiency;
    if (vacuumIsp <= 0.0) continue;
    const double nominal = t->level * t->maxThrust;
    const double needed = nominal / vacuumIsp * dt;
    // A tank that runs dry part-way through the step gives that part of it.
    const double share = needed > fuel->mass ? fuel->mass / needed : 1.0;
    fuel->mass = std::max(0.0, fuel->mass - needed * share);
    const VECTOR3 force = t->direction * (nominal * share * ispAt(*t, vacuumIsp, ambient) / vacuumIsp);
    total.force += force;
    total.torque += cross(t->position, force);
  }
  return total;
}

void Vessel::integrate(double dt) {
  if (dt <= 0.0) return;
  const double massBefore = mass();
  const Thrust thrust = burnPropellant(dt);
  VECTOR3 thrustAcc = _V(0, 0, 0);
  if (massBefore > 0.0) {
    thrustAcc = attitude.apply(thrust.force) * (1.0 / massBefore);
    const VECTOR3 &pmi = model.pmi;
    for (int i = 0; i < 3; ++i)
      if (pmi.data[i] > 0.0) vrot.data[i] += thrust.torque.data[i] / (pmi.data[i] * massBefore) * dt;
  }
  // Velocity Verlet keeps a circular orbit circular over long runs.
  rvel += (reference->gravity(rpos) + thrustAcc) * (0.5 * dt);
  rpos += rvel * dt;
  rvel += (reference->gravity(rpos) + thrustAcc) * (0.5 * dt);
  attitude.turnLocal(vrot * dt);
  stayAboveSurface();
}

void Vessel::stayAboveSurface() {
  const double r = length(rpos);
  if (r >= reference->radius || r <= 0.0) return;
  const VECTOR3 up = rpos * (1.0 / r);
  rpos = up * reference->radius;
  const double sinking = dot(rvel, up);
  if (sinking < 0.0) rvel = rvel - up * sinking;
}

double Vessel::pitch() const {
  return std::asin(clampUnit(dot(attitude.axis(2), unit(rpos))));
}

double Vessel::bank() const {
  const VECTOR3 up = unit(rpos);
  return std::atan2(dot(attitude.axis(0), up), dot(attitude.axis(1), up));
}

double Vessel::heading() const {
  const VECTOR3 up = unit(rpos);
  const VECTOR3 axis = reference->rotationAxis();
  const VECTOR3 north = unit(axis - up * dot(axis, up));
  if (length(north) == 0.0) return 0.0;  // over a pole every way is south
  const VECTOR3 east = cross(north, up);
  const VECTOR3 forward = attitude.axis(2);
  double h = std::atan2(dot(forward, east), dot(forward, north));
  if (h < 0.0) h += 2.0 * M_PI;
  return h;
}

VECTOR3 Vessel::airspeedVector() const { return rvel - reference->atmosphereVelocity(rpos); }

double Vessel::angleOfAttack() const {
  const VECTOR3 local = attitude.applyInverse(airspeedVector());
  if (local.y == 0.0 && local.z == 0.0) return 0.0;
  return std::atan2(-local.y, local.z);
}

double Vessel::thrusterGroupLevel(const ThrusterGroup *group) const {
  if (group == nullptr || group->thrusters.empty()) return 0.0;
  double sum = 0.0;
  for (const Thruster *t : group->thrusters) sum += t->level;
  return sum / group->thrusters.size();
}

void Vessel::setGroupLevel(THGROUP_TYPE type, double level) {
  if (ThrusterGroup *group = model.findGroup(type))
    for (Thruster *t : group->thrusters) t->level = std::max(0.0, std::min(1.0, level));
}

void Vessel::fillStatus(VESSELSTATUS &s) const {
  std::memset(&s, 0, sizeof s);
  s.rpos = rpos;
  s.rvel = rvel;
  s.vrot = vrot;
  s.arot = attitude.toAngles();
  s.fuel = model.propellants.empty() ? 0.0 : model.propellants.front()->level();
  s.eng_main = thrusterGroupLevel(model.findGroup(THGROUP_MAIN));
  s.eng_hovr = thrusterGroupLevel(model.findGroup(THGROUP_HOVER));
  s.rbody = reference->handle();
  s.status = status;
}

namespace {

// Fills a caller's list up to its stated size, or a list of the host's own
// that the caller releases with delete[] when it supplied none. `level` gives
// entry i; nothing is allocated for a caller's list, as modules ask every frame.
template <typename Entry, typename Items, typename Level>
void fillList(Entry *&list, DWORD &count, const Items &items, Level level) {
  const DWORD available = static_cast<DWORD>(items.size());
  DWORD n = available;
  if (list == nullptr) {
    list = available > 0 ? new Entry[available] : nullptr;
  } else {
    n = std::min(count, available);
  }
  for (DWORD i = 0; i < n; ++i) {
    list[i].idx = i;
    list[i].level = level(*items[i]);
  }
  count = n;
}

// "0:1.000000 1:0.500000"; zero levels are left out when `skipZero`.
template <typename List, typename Level>
std::string levelList(const List &list, bool skipZero, Level level) {
  std::string text;
  char entry[48];
  for (size_t i = 0; i < list.size(); ++i) {
    const double value = level(list[i]);
    if (skipZero && value == 0.0) continue;
    std::snprintf(entry, sizeof entry, "%s%zu:%.6f", text.empty() ? "" : " ", i, value);
    text += entry;
  }
  return text;
}

}  // namespace

void Vessel::fillStatus(VESSELSTATUS2 &s) const {
  s.rbody = reference->handle();
  s.base = nullptr;
  s.port = 0;
  s.status = status;
  s.rpos = rpos;
  s.rvel = rvel;
  s.vrot = vrot;
  s.arot = attitude.toAngles();
  s.surf_lng = s.surf_lat = s.surf_hdg = 0.0;
  if (s.flag & VS_FUELLIST) fillList(s.fuel, s.nfuel, model.propellants, [](const Propellant &p) { return p.level(); });
  if (s.flag & VS_THRUSTLIST)
    fillList(s.thruster, s.nthruster, model.thrusters, [](const Thruster &t) { return t.level; });
  if (s.flag & VS_DOCKINFOLIST) s.ndockinfo = 0;
  s.xpdr = 0;
}

void Vessel::applyStatus(const VESSELSTATUS &s) {
  rpos = s.rpos;
  rvel = s.rvel;
  vrot = s.vrot;
  attitude = Rotation::fromAngles(s.arot);
  status = s.status;
  if (s.flag[0] & 1)
    for (auto &p : model.propellants) p->mass = p->maxMass * std::max(0.0, std::min(1.0, s.fuel));
}

void Vessel::applyStatus(const ParsedStatus &s) {
  rpos = s.rpos;
  rvel = s.rvel;
  vrot = s.vrot;
  attitude = Rotation::fromAngles(s.arot);
  status = s.status;
  for (const auto &level : s.propellantLevels) {
    if (level.first < model.propellants.size()) {
      Propellant &p = *model.propellants[level.first];
      p.mass = p.maxMass * level.second;
    }
  }
  for (const auto &level : s.thrusterLevels)
    if (level.first < model.thrusters.size()) model.thrusters[level.first]->level = level.second;
}

void Vessel::writeDefaultState(ScenarioWriter &writer) const {
  char value[256];
  writer.item("STATUS", (std::string(status == 1 ? "Landed " : "Orbiting ") + reference->name).c_str());
  std::snprintf(value, sizeof value, "%.6f %.6f %.6f", rpos.x, rpos.y, rpos.z);
  writer.item("RPOS", value);
  std::snprintf(value, sizeof value, "%.6f %.6f %.6f", rvel.x, rvel.y, rvel.z);
  writer.item("RVEL", value);
  const VECTOR3 angles = attitude.toAngles() * (180.0 / M_PI);
  std::snprintf(value, sizeof value, "%.9f %.9f %.9f", angles.x, angles.y, angles.z);
  writer.item("AROT", value);
  if (length(vrot) > 0.0) {
    const VECTOR3 turning = vrot * (180.0 / M_PI);
    std::snprintf(value, sizeof value, "%.9f %.9f %.9f", turning.x, turning.y, turning.z);
    writer.item("VROT", value);
  }
  // Every tank is listed, so an empty one restores empty; idle thrusters
  // restore idle anyway.
  const std::string propellants =
      levelList(model.propellants, false, [](const auto &p) { return p->level(); });
  if (!propellants.empty()) writer.item("PRPLEVEL", propellants.c_str());
  const std::string thrusters = levelList(model.thrusters, true, [](const auto &t) { return t->level; });
  if (!thrusters.empty()) writer.item("THLEVEL", thrusters.c_str());
}

}  // namespace host
