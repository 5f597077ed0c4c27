#include "module/GenericVessel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr double kGravitationalConstant = 6.67259e-11;

// How many of `reported` entries both the list and the published variables hold.
template <typename Entry, size_t listSize, size_t publishedSize>
size_t Publishable(DWORD reported, const Entry (&)[listSize], const double (&)[publishedSize]) {
  return std::min({static_cast<size_t>(reported), listSize, publishedSize});
}

}  // namespace

GenericVessel::GenericVessel(OBJHANDLE hVessel, int flightModel) : VESSEL(hVessel, flightModel) {
  systems.RegisterShipVariables(shipVariables);
  systems.AttachVessel(this);
}

void GenericVessel::Update(double simTime) {
  StepSystems(simTime);
  PublishFlightState();

  VESSELSTATUS2 status;
  std::memset(&status, 0, sizeof status);
  status.version = 2;
  status.flag = VS_FUELLIST | VS_THRUSTLIST;
  status.nfuel = kFuelListSize;
  status.fuel = fuelList;
  status.nthruster = kThrusterListSize;
  status.thruster = thrusterList;
  GetStatusEx(&status);

  PublishStatusLists(status);
  PublishDvToGo(status);
}

void GenericVessel::StepSystems(double simTime) {
  // A clock that went backwards (a restarted simulation) gives no step rather
  // than a negative one.
  const double dt = std::max(0.0, simTime - previousStepTime);
  previousStepTime = simTime;
  systems.Step(StepInputs::Sample(*this, dt));
}

void GenericVessel::PublishFlightState() {
  ShipVariableValues &v = shipVariables;
  oapiGetAirspeed(GetHandle(), &v.avel);
  v.altitude = GetAltitude();
  v.pitch = GetPitch();
  v.roll = GetBank();
  oapiGetHeading(GetHandle(), &v.yaw);
  v.airdens = GetAtmDensity();
  v.airpress = GetAtmPressure();
  v.aoa = GetAOA();
  for (size_t port = 0; port < std::size(v.dock); ++port) v.dock[port] = DockingStatus(static_cast<UINT>(port));
  v.mainth = GetThrusterGroupLevel(THGROUP_MAIN);
  v.retroth = GetThrusterGroupLevel(THGROUP_RETRO);
  v.hoverth = GetThrusterGroupLevel(THGROUP_HOVER);
  v.totalMass = GetMass();
}

void GenericVessel::PublishStatusLists(VESSELSTATUS2 &status) {
  const size_t fuels = Publishable(status.nfuel, fuelList, shipVariables.fuel);
  for (size_t i = 0; i < fuels; ++i) shipVariables.fuel[i] = status.fuel[i].level;
  const size_t thrusters = Publishable(status.nthruster, thrusterList, shipVariables.rcs);
  for (size_t i = 0; i < thrusters; ++i) shipVariables.rcs[i] = status.thruster[i].level;
}

void GenericVessel::PublishDvToGo(const VESSELSTATUS2 &status) {
  OBJHANDLE reference = GetGravityRef();
  const double mass = oapiGetMass(reference);
  const double distance = oapiGetSize(reference) + shipVariables.altitude;
  // Below the body's centre there is no circular orbit; its speed counts as 0
  // so the variable stays finite.
  const double circular = distance > 0.0 ? std::sqrt(kGravitationalConstant * mass / distance) : 0.0;
  const VECTOR3 &v = status.rvel;
  shipVariables.dvToGo = circular - std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}
