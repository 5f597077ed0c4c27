#include "systems/fluid/FluidVent.h"

#include "math/HostVector.h"
#include "systems/PlantSketch.h"

namespace {

constexpr double kVentThrust = 50.0;
constexpr double kVentIsp = 50.0;
constexpr double kReferencePressure = 101400.0;

}  // namespace

FluidVent::FluidVent(const char *ventName) : FluidTank(ventName, 0.0, Vec3()) {}

bool FluidVent::AddExhaust(const Vec3 &point, const Vec3 &direction, double size) {
  if (exhaustCount >= kMaxExhausts) return false;
  exhaustPositions[exhaustCount] = point;
  exhaustDirections[exhaustCount] = direction;
  exhaustSizes[exhaustCount] = size;
  ++exhaustCount;
  return true;
}

void FluidVent::LinkToVessel(VESSEL *owner, PROPELLANT_HANDLE resource) {
  vessel = owner;
  propellant = resource;
  for (int i = 0; i < exhaustCount; ++i) {
    thrusters[i] = vessel->CreateThruster(ToHost(exhaustPositions[i]), ToHost(exhaustDirections[i]), kVentThrust,
                                          propellant, kVentIsp, 0.0, kReferencePressure);
    vessel->AddExhaust(thrusters[i], 1000 * exhaustSizes[i], 50 * exhaustSizes[i], nullptr);
    vessel->SetThrusterLevel(thrusters[i], 1.0);
  }
}

// A vent always looks empty to pipes; what reaches it is taken off the
// vessel's mass and handed to the vent thrusters as propellant.
int FluidVent::AcceptInflow(const FluidContents &parcel) {
  contents.pressure = 0;
  const double kilograms = parcel.SumMass() / 1000;
  if (vessel == nullptr) return 1;
  vessel->SetEmptyMass(vessel->GetEmptyMass() - kilograms);
  // The host keeps a resource's mass within its capacity, and the vent's
  // resource is made without room: it grows to hold what is vented.
  const double held = vessel->GetPropellantMass(propellant) + kilograms;
  if (held > vessel->GetPropellantMaxMass(propellant)) vessel->SetPropellantMaxMass(propellant, held);
  vessel->SetPropellantMass(propellant, held);
  for (int i = 0; i < exhaustCount; ++i) vessel->SetThrusterLevel(thrusters[i], 1.0);
  return 1;
}

void FluidVent::Sketch(PlantSketch &sketch) const {
  sketch.kind = "vent";
  sketch.label = std::to_string(exhaustCount) + (exhaustCount == 1 ? " exhaust" : " exhausts");
}
