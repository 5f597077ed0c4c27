// The <VESSEL> section: mesh elements, propellant tanks and the numbered
// configuration blocks, read into the vessel's configuration set.
#pragma once

#include <cstdio>

#include "config/ConfigurationSet.h"

class VesselSection {
 public:
  explicit VesselSection(ConfigurationSet &target) : set(target) {}
  // From the line after "<VESSEL>" up to and including its closing line.
  void Read(FILE *file);

 private:
  void ReadElements(FILE *file);
  void ReadPropellants(FILE *file);
  void ReadStageBlock(FILE *file, StageConfiguration &stage);
  void ReadThrusters(FILE *file, StageConfiguration &stage);

  ConfigurationSet &set;
};
