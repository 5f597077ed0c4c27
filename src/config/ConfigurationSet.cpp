#include "config/ConfigurationSet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <strings.h>

#include "config/text/ExactNumber.h"
#include "config/ScenarioLines.h"
#include "config/text/Keywords.h"
#include "config/text/TextScan.h"
#include "math/HostVector.h"

namespace {

constexpr double kReferencePressure = 101400.0;
constexpr int kMaxThrustersPerGroup = 15;

// The two particle streams every main engine trails; the host makes each
// stream from these figures when it is added, so a vessel works on a copy.
const PARTICLESTREAMSPEC kContrailStream = {
    0, 8.0, 5.0, 350.0, 0.3, 8.0, 4.0, 3.0, PARTICLESTREAMSPEC::DIFFUSE, PARTICLESTREAMSPEC::LVL_PSQRT, 0.0, 0.5,
    PARTICLESTREAMSPEC::ATM_PLOG, 1e-6, 0.1, nullptr};
const PARTICLESTREAMSPEC kExhaustGlowStream = {
    0, 4.0, 20.0, 350.0, 0.1, 0.3, 12.0, 2.0, PARTICLESTREAMSPEC::EMISSIVE, PARTICLESTREAMSPEC::LVL_PSQRT, 0.0, 0.5,
    PARTICLESTREAMSPEC::ATM_PLOG, 1e-6, 0.1, nullptr};

THGROUP_TYPE HostGroup(int index) {
  return index == kUserGroupIndex ? THGROUP_USER : static_cast<THGROUP_TYPE>(index);
}

}  // namespace

void ConfigurationSet::LoadMeshes() {
  for (VesselElement &element : elements) element.mesh = oapiLoadMeshGlobal(element.meshFile);
}

void ConfigurationSet::ApplyConfiguration(int n, bool initial) {
  if (vessel == nullptr || !IsConfigurationNumber(n)) return;
  StageConfiguration &stage = configurations[n];
  vessel->ClearMeshes();
  vessel->ClearThrusterDefinitions();
  vessel->ClearDockDefinitions();
  vessel->SetEmptyMass(0.0);
  ApplyPhysicalParameters(stage);
  ApplyElements(n);
  ApplyPropellants(n, initial);
  builtEmptyMass = vessel->GetEmptyMass();
  ApplyThrusters(stage);
  ApplyGroups(stage);
}

void ConfigurationSet::ApplyPhysicalParameters(const StageConfiguration &stage) {
  vessel->SetSize(stage.size);
  const Vec3 &cw = stage.dragCoefficients;
  vessel->SetCW(cw.x, cw.x, cw.y, cw.z);
  vessel->SetCrossSections(ToHost(stage.crossSections));
  vessel->SetRotDrag(ToHost(stage.rotationalDrag));
  vessel->SetPMI(ToHost(stage.inertia));
  vessel->SetCameraOffset(ToHost(stage.cameraOffset));
  vessel->SetTouchdownPoints(ToHost(stage.touchdown[0]), ToHost(stage.touchdown[1]),
                             ToHost(stage.touchdown[2]));
  for (const DockDef &dock : stage.docks)
    vessel->CreateDock(ToHost(dock.position), ToHost(dock.direction), ToHost(dock.reference));
}

void ConfigurationSet::ApplyElements(int n) {
  for (const VesselElement &element : elements) {
    if (element.first > n || n >= element.last) continue;
    const VECTOR3 offset = ToHost(element.offsets[n]);
    vessel->AddMesh(element.mesh, &offset);
    vessel->SetEmptyMass(vessel->GetEmptyMass() + element.mass);
  }
}

// Element masses count full tanks; the tanks present are taken off again, so
// the empty mass plus the propellant left is the vessel's mass.
void ConfigurationSet::ApplyPropellants(int n, bool initial) {
  bool made = false;
  for (PropellantDef &tank : propellants) {
    if (n >= tank.last) {
      vessel->DelPropellantResource(tank.handle);
    } else if ((!initial && n == tank.first) || (initial && n >= tank.first)) {
      tank.handle = vessel->CreatePropellantResource(tank.capacity, initial ? tank.savedMass : -1.0, 1.0);
      tank.savedMass = -1.0;
      made = true;
      vessel->SetEmptyMass(vessel->GetEmptyMass() - tank.capacity);
    } else if (!initial && n > tank.first) {
      if (made) MoveResourceLast(tank);
      vessel->SetEmptyMass(vessel->GetEmptyMass() - tank.capacity);
    }
  }
}

// A tank carried over behind one made at this separation is made again, with
// what it holds, at the end of the host's resources: they stay in the order
// of the list, which is the order a restore makes them in.
void ConfigurationSet::MoveResourceLast(PropellantDef &tank) {
  const double mass = vessel->GetPropellantMass(tank.handle);
  vessel->DelPropellantResource(tank.handle);
  tank.handle = vessel->CreatePropellantResource(tank.capacity, mass, 1.0);
}

void ConfigurationSet::ApplyThrusters(StageConfiguration &stage) {
  for (ThrusterDef &t : stage.thrusters) {
    t.handle = vessel->CreateThruster(ToHost(t.position), ToHost(t.direction), t.maxThrust,
                                      FindPropellant(t.propellant), t.isp, t.ispRef, kReferencePressure);
    vessel->AddExhaust(t.handle, t.exhaustLength, t.exhaustWidth, ToHost(t.position), ToHost(-t.direction),
                       nullptr);
  }
}

void ConfigurationSet::ApplyGroups(StageConfiguration &stage) {
  PARTICLESTREAMSPEC contrail = kContrailStream, glow = kExhaustGlowStream;
  // The host takes the texture's name as `char *`.
  char texture[] = "Contrail2";
  glow.tex = oapiRegisterParticleTexture(texture);
  for (int g = 0; g <= kUserGroupIndex; ++g) {
    THRUSTER_HANDLE members[kMaxThrustersPerGroup];
    int count = 0;
    for (const ThrusterDef &t : stage.thrusters) {
      if (t.group != g || count == kMaxThrustersPerGroup) continue;
      members[count++] = t.handle;
      if (g == 0) {
        vessel->AddExhaustStream(t.handle, &contrail);
        vessel->AddExhaustStream(t.handle, &glow);
      }
    }
    if (count > 0) vessel->CreateThrusterGroup(members, count, HostGroup(g));
  }
}

void ConfigurationSet::Separate(int n) {
  if (vessel == nullptr || !IsConfigurationNumber(n)) return;
  const StageConfiguration &stage = configurations[n];
  for (const EjectDef &eject : stage.ejected) {
    VESSELSTATUS status;
    vessel->GetStatus(status);
    status.flag[0] = 3;
    status.fuel = 1.0;
    vessel->Local2Rel(ToHost(eject.position), status.rpos);
    status.status = 0;
    status.arot.x += eject.rotation.x;
    status.arot.y += eject.rotation.y;
    status.arot.z += eject.rotation.z;
    char name[256];
    std::snprintf(name, sizeof name, "%s_%s", vessel->GetName(), eject.className);
    oapiCreateVessel(name, eject.className, status);
  }
  vessel->ShiftCentreOfMass(ToHost(stage.centreOfMassShift));
}

PROPELLANT_HANDLE ConfigurationSet::FindPropellant(const char *name) const {
  for (const PropellantDef &tank : propellants)
    if (MatchKeyword(tank.name, name)) return tank.handle;
  return nullptr;
}

void ConfigurationSet::SavePropellantMasses(FILEHANDLE scn) const {
  for (const PropellantDef &tank : propellants) {
    if (tank.handle == nullptr) continue;
    WriteScenarioString(scn, tank.name, ExactNumber(vessel->GetPropellantMass(tank.handle)).text);
  }
}

bool ConfigurationSet::RecordSavedMass(const char *line, int n) {
  LineWord name;
  double mass;
  if ((Fields(line) >> name >> mass).Count() != 2 || !std::isfinite(mass)) return false;
  for (PropellantDef &tank : propellants) {
    // Two tanks of one name take their records in turn.
    if (strcasecmp(tank.name, name) != 0 || n < tank.first || n >= tank.last || tank.savedMass >= 0) continue;
    tank.savedMass = std::clamp(mass, 0.0, tank.capacity);
    return true;
  }
  return false;
}

const KeyBinding *ConfigurationSet::FindBinding(int keyCode) const {
  for (const KeyBinding &binding : keyBindings)
    if (binding.keyCode == keyCode) return &binding;
  return nullptr;
}

const PropellantDef *ConfigurationSet::TankOf(PROPELLANT_HANDLE resource, int n) const {
  for (const PropellantDef &tank : propellants)
    if (tank.handle == resource && tank.first <= n && n < tank.last) return &tank;
  return nullptr;
}
