// The host's record of how a vessel is built: what the vessel-model and
// propulsion calls set, kept so the bench can show it.
#pragma once

#include <memory>
#include <memory_resource>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "OrbiterAPI.h"

namespace host {

struct MeshFile {
  std::string name;
};

struct MeshEntry {
  MeshFile *mesh;
  VECTOR3 offset;
};

struct Propellant {
  double maxMass;
  double mass;
  double efficiency;
  double level() const { return maxMass > 0.0 ? mass / maxMass : 0.0; }
};

struct Thruster {
  VECTOR3 position;
  VECTOR3 direction;
  double maxThrust;
  Propellant *resource;
  double isp;
  double ispRef;
  double pressureRef;
  double level = 0.0;
};

struct ThrusterGroup {
  THGROUP_TYPE type;
  std::vector<Thruster *> thrusters;
};

struct Exhaust {
  Thruster *thruster;
  double length;
  double width;
  bool hasPlacement;
  VECTOR3 position;
  VECTOR3 direction;
  SURFHANDLE texture;
};

struct ExhaustStream {
  Thruster *thruster;
  bool hasPosition;
  VECTOR3 position;
  bool hasParticles;
  PARTICLESTREAMSPEC particles;
};

struct Dock {
  VECTOR3 position;
  VECTOR3 direction;
  VECTOR3 rotation;
  bool docked = false;
};

// A part made in its model's pool: deleting it gives its place back there.
struct PartDelete {
  std::pmr::memory_resource *pool;
  template <typename T>
  void operator()(T *part) const {
    part->~T();
    pool->deallocate(part, sizeof(T), alignof(T));
  }
};
template <typename T>
using Part = std::unique_ptr<T, PartDelete>;

struct VesselModel {
  // The parts (docks, tanks, thrusters, groups, streams) are made in the
  // model's own pool, so one vessel's lie together in memory and a fleet's
  // frame reads few cache lines per vessel; a deleted part's place is reused.
  // Declared first: it outlives every part.
  std::pmr::unsynchronized_pool_resource pool;

  template <typename T, typename... Args>
  Part<T> make(Args &&...args) {
    T *part = new (pool.allocate(sizeof(T), alignof(T))) T{std::forward<Args>(args)...};
    return Part<T>(part, PartDelete{&pool});
  }

  // What every frame reads, together; then what only the bench shows.
  double emptyMass = 0.0;
  double size = 1.0;
  VECTOR3 pmi = _V(1, 1, 1);
  std::vector<Part<Dock>> docks;
  std::vector<Part<Propellant>> propellants;
  std::vector<Part<Thruster>> thrusters;
  std::vector<Part<ThrusterGroup>> groups;
  std::vector<MeshEntry> meshes;
  double cw[4] = {0, 0, 0, 0};  // z positive, z negative, x, y
  VECTOR3 crossSections = _V(0, 0, 0);
  VECTOR3 rotDrag = _V(0, 0, 0);
  VECTOR3 cameraOffset = _V(0, 0, 0);
  VECTOR3 touchdown[3] = {_V(0, -1, 1), _V(-1, -1, -1), _V(1, -1, -1)};
  std::vector<Exhaust> exhausts;
  std::vector<Part<ExhaustStream>> streams;

  Propellant *findPropellant(PROPELLANT_HANDLE handle) const;
  Thruster *findThruster(THRUSTER_HANDLE handle) const;
  ThrusterGroup *findGroup(THGROUP_TYPE type) const;
  ThrusterGroup *findGroup(THGROUP_HANDLE handle) const;
  double propellantMass() const;
  void deletePropellant(Propellant *resource);
  void clearThrusters();
  // Moves every vessel-frame position by `offset`.
  void shiftPositions(const VECTOR3 &offset);
};

}  // namespace host
