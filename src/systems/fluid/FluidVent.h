// A tank of no volume whose inflow leaves the vessel: the vented mass becomes
// host propellant that the vent's thrusters burn at once, so venting pushes
// the vessel and shows a plume.
#pragma once

#include "systems/fluid/FluidTank.h"

constexpr int kMaxExhausts = 4;

class FluidVent : public FluidTank {
 public:
  explicit FluidVent(const char *ventName);
  void Sketch(PlantSketch &sketch) const override;

  // A fifth and later exhaust point is ignored: false, adding nothing.
  bool AddExhaust(const Vec3 &point, const Vec3 &direction, double size);
  void LinkToVessel(VESSEL *owner, PROPELLANT_HANDLE resource) override;
  int AcceptInflow(const FluidContents &parcel) override;
  // A vent holds nothing, so it has no room to lose.
  std::string Fault() override { return SystemObject::Fault(); }

  // What an inflow uses first, beside the tank it is; the exhausts' places,
  // used only when the vessel's thrusters are made, after.
  PROPELLANT_HANDLE propellant = nullptr;
  THRUSTER_HANDLE thrusters[kMaxExhausts] = {};
  VESSEL *vessel = nullptr;
  int32_t exhaustCount = 0;
  Vec3 exhaustPositions[kMaxExhausts];
  Vec3 exhaustDirections[kMaxExhausts];
  double exhaustSizes[kMaxExhausts] = {};
};
