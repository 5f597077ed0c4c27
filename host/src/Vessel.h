// One vessel of the host's world: its model, its flight state and, when its
// class names a module, the module's instance that drives it.
#pragma once

#include <string>

#include "Bodies.h"
#include "VesselModel.h"

class VESSEL;
class VESSEL2;

namespace host {

class ModuleLibrary;
struct ParsedStatus;
class ScenarioWriter;

class Vessel : public Object {
 public:
  Vessel(std::string vesselName, std::string vesselClass, Planet &gravityRef);

  double mass() const override { return model.emptyMass + model.propellantMass(); }
  double size() const override { return model.size; }
  VECTOR3 globalPosition() const override { return reference->globalPosition() + rpos; }

  // Advances position, velocity, attitude and propellant by dt under gravity
  // and the thrust of the vessel's thrusters.
  void integrate(double dt);

  // Flight state, in the host's units.
  double altitude() const { return reference->altitude(rpos); }
  double pitch() const;
  double bank() const;
  double heading() const;
  VECTOR3 airspeedVector() const;
  double angleOfAttack() const;
  double thrusterGroupLevel(const ThrusterGroup *group) const;
  void setGroupLevel(THGROUP_TYPE type, double level);

  void fillStatus(VESSELSTATUS &status) const;
  void fillStatus(VESSELSTATUS2 &status) const;
  void applyStatus(const VESSELSTATUS &status);
  void applyStatus(const ParsedStatus &status);
  // The host's own scenario lines for this vessel.
  void writeDefaultState(ScenarioWriter &writer) const;

  // The flight state and the module first: every frame reads them, and
  // reads the class name never.
  Planet *reference;
  VECTOR3 rpos = _V(0, 0, 0);  // relative to the reference body, global axes
  VECTOR3 rvel = _V(0, 0, 0);
  VECTOR3 vrot = _V(0, 0, 0);  // vessel frame, rad/s
  Rotation attitude;
  int status = 0;  // 0 free flight, 1 landed
  bool focusEnabled = true;  // "EnableFocus" of a plain body's class file

  ModuleLibrary *module = nullptr;
  VESSEL *instance = nullptr;
  // The same object as the VESSEL2 the host sends its events to; null for a
  // vessel of a module whose VESSEL is a plain one, which gets none.
  VESSEL2 *callbacks = nullptr;
  VesselModel model;
  std::string className;
  // The VESSEL interface most recently built on this vessel: the one a
  // module's ovcInit built must be the very address it hands back.
  const VESSEL *interfaceAddress = nullptr;

 private:
  struct Thrust {
    VECTOR3 force;   // vessel frame
    VECTOR3 torque;  // vessel frame, about the centre of mass
  };
  Thrust burnPropellant(double dt);
  void stayAboveSurface();
};

}  // namespace host
