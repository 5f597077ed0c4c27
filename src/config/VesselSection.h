// The <VESSEL> section: mesh elements, propellant tanks and the numbered
// configuration blocks, read into the vessel's configuration set.
#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "config/ConfigurationSet.h"

class Diagnostics;
class ParseContext;

class VesselSection {
 public:
  explicit VesselSection(ConfigurationSet &target) : set(target) {}
  // From the line after "<VESSEL>" up to and including its closing line.
  void Read(ParseContext &context);

 private:
  void ReadElements(ParseContext &context);
  void ReadPropellants(ParseContext &context);
  void ReadStageBlock(ParseContext &context, StageConfiguration &stage);
  void ReadThrusters(ParseContext &context, StageConfiguration &stage);
  void CheckThrusterPropellants(Diagnostics &diagnostics) const;

  ConfigurationSet &set;
  // Each thruster line's number and propellant, for the checks at the end.
  std::vector<std::pair<int, std::string>> thrusterPropellants;
};
