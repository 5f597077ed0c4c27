// A vessel class file, "Config\Vessels\CLASS.cfg": lines "Key = value". The
// module that drives the class, or, for a class without one (ejected stages,
// payloads), the standard keys the host builds the vessel from. Keys are
// matched ignoring case; unknown keys and values that do not read are
// passed over, the key keeping its default.
#pragma once

#include <string>
#include <vector>

#include <OrbiterAPI.h>

namespace host {

struct VesselModel;

struct ClassFile {
  std::string module;
  std::string className;
  std::string meshName;
  double mass = 0.0;  // kg
  double size = 1.0;  // m
  VECTOR3 inertia = _V(1, 1, 1);  // principal moments per unit mass, m^2
  double cw[4] = {0, 0, 0, 0};  // z positive, z negative, x, y
  VECTOR3 crossSections = _V(0, 0, 0);
  bool enableFocus = true;
  // The file's lines as they stand, for the module that reads its own keys.
  std::vector<std::string> lines;

  // False when there is no such file.
  static bool read(const std::string &windowsPath, ClassFile &file);
  // What the host gives a vessel of the class without a module.
  void applyTo(VesselModel &model) const;
};

}  // namespace host
