// The vessel's stack of numbered stage configurations and what each is made
// of: mesh elements, propellant tanks, thrusters, docks, and what a
// separation into it throws off.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include <Orbitersdk.h>

#include "config/text/Sizes.h"
#include "math/Vec3.h"

class SystemList;

constexpr int kConfigurationCount = 10;

// Index of "THGROUP_USER" among the group words; its host value is 64.
constexpr int kUserGroupIndex = 15;
constexpr int kNoGroup = -1;

struct VesselElement {
  MESHHANDLE mesh = nullptr;
  Vec3 offsets[kConfigurationCount];
  char name[25] = "";
  char meshFile[31] = "";
  double mass = 0.0;
  int32_t first = 0;
  int32_t last = 0;
};

struct PropellantDef {
  PROPELLANT_HANDLE handle = nullptr;
  char name[kNameSize] = "";
  double capacity = 0.0;
  int32_t first = 0;
  int32_t last = 0;
  // kg read from the scenario, for the restore to create the resource with;
  // negative when the scenario gave none (the tank is made full).
  double savedMass = -1.0;
};

struct ThrusterDef {
  THRUSTER_HANDLE handle = nullptr;
  char propellant[kNameSize] = "";
  Vec3 position;
  Vec3 direction;
  double maxThrust = 0.0;
  double isp = 0.0;
  double ispRef = 0.0;
  double exhaustWidth = 0.0;
  double exhaustLength = 0.0;
  int32_t group = kNoGroup;
};

struct DockDef {
  Vec3 position;
  Vec3 direction;
  Vec3 reference;
};

struct EjectDef {
  char className[80] = "";
  Vec3 position;
  Vec3 rotation;
};

struct KeyBinding {
  int32_t keyCode = 0;
  int32_t action = 0;
  int32_t configuration = 0;
};

enum KeyAction : int32_t { kActionSeparation = 1, kActionOther = 2 };

struct StageConfiguration {
  double size = 0.0;
  Vec3 dragCoefficients;
  Vec3 crossSections;
  Vec3 rotationalDrag;
  Vec3 inertia;
  Vec3 cameraOffset;
  Vec3 touchdown[3];
  Vec3 centreOfMassShift;
  std::vector<ThrusterDef> thrusters;
  std::vector<EjectDef> ejected;
  std::vector<DockDef> docks;
};

// Every list of the set keeps its first item first and puts each later one
// right after it: items read 1, 2, 3, 4 are walked 1, 4, 3, 2. The host sees
// meshes, tanks, thrusters and docks created in that order.
template <typename T>
void InsertAfterFirst(std::vector<T> &list, const T &item) {
  list.insert(list.empty() ? list.end() : list.begin() + 1, item);
}

inline bool IsConfigurationNumber(int n) { return n >= 0 && n < kConfigurationCount; }

class ConfigurationSet {
 public:
  void AttachVessel(VESSEL *owner) { vessel = owner; }

  // Has the host load every element's mesh, once the file is read.
  void LoadMeshes();
  // Rebuilds the host's vessel for configuration n; `initial` when restoring
  // from a scenario rather than entering n by separation.
  void ApplyConfiguration(int n, bool initial);
  // Throws off configuration n's ejected parts and shifts the centre of mass.
  void Separate(int n);
  PROPELLANT_HANDLE FindPropellant(const char *name) const;
  // The scenario's propellant record: one line "NAME MASS" a tank present,
  // in list order. Tanks are named in full, so a restore puts every mass
  // back into its own tank whatever the order of the host's resources.
  void SavePropellantMasses(FILEHANDLE scn) const;
  // Takes one such line for the restore into configuration n; false when it
  // names no tank present in n.
  bool RecordSavedMass(const char *line, int n);
  // The tank of configuration n whose resource `resource` is; null for none.
  const PropellantDef *TankOf(PROPELLANT_HANDLE resource, int n) const;
  // The first binding of `keyCode`, or null.
  const KeyBinding *FindBinding(int keyCode) const;

  StageConfiguration configurations[kConfigurationCount];
  std::vector<VesselElement> elements;
  std::vector<PropellantDef> propellants;
  std::vector<KeyBinding> keyBindings;
  // Bit n: the file has a stage block for configuration n.
  uint32_t definedStages = 0;
  // The empty mass the last ApplyConfiguration built, before any venting.
  double builtEmptyMass = 0.0;

 private:
  void ApplyPhysicalParameters(const StageConfiguration &stage);
  void ApplyElements(int n);
  void ApplyPropellants(int n, bool initial);
  void MoveResourceLast(PropellantDef &tank);
  void ApplyThrusters(StageConfiguration &stage);
  void ApplyGroups(StageConfiguration &stage);

  VESSEL *vessel = nullptr;
};
