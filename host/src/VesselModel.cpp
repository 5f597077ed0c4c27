#include "VesselModel.h"

#include <algorithm>

#include "HostMath.h"

namespace host {

namespace {

template <typename T, typename H>
T *findOwned(const std::vector<Part<T>> &list, H handle) {
  for (const auto &item : list)
    if (item.get() == handle) return item.get();
  return nullptr;
}

}  // namespace

Propellant *VesselModel::findPropellant(PROPELLANT_HANDLE handle) const {
  return findOwned(propellants, handle);
}

Thruster *VesselModel::findThruster(THRUSTER_HANDLE handle) const {
  return findOwned(thrusters, handle);
}

ThrusterGroup *VesselModel::findGroup(THGROUP_HANDLE handle) const {
  return findOwned(groups, handle);
}

ThrusterGroup *VesselModel::findGroup(THGROUP_TYPE type) const {
  for (const auto &group : groups)
    if (group->type == type) return group.get();
  return nullptr;
}

double VesselModel::propellantMass() const {
  double total = 0.0;
  for (const auto &p : propellants) total += p->mass;
  return total;
}

void VesselModel::deletePropellant(Propellant *resource) {
  for (auto &thruster : thrusters)
    if (thruster->resource == resource) thruster->resource = nullptr;
  propellants.erase(std::remove_if(propellants.begin(), propellants.end(),
                                   [resource](const auto &p) { return p.get() == resource; }),
                    propellants.end());
}

void VesselModel::clearThrusters() {
  exhausts.clear();
  streams.clear();
  groups.clear();
  thrusters.clear();
}

void VesselModel::shiftPositions(const VECTOR3 &offset) {
  for (auto &mesh : meshes) mesh.offset += offset;
  for (auto &thruster : thrusters) thruster->position += offset;
  for (auto &dock : docks) dock->position += offset;
  for (auto &exhaust : exhausts) exhaust.position += offset;
  for (auto &stream : streams) stream->position += offset;
  for (auto &point : touchdown) point += offset;
  cameraOffset += offset;
}

}  // namespace host
