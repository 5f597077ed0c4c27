// The <SEPARATION> section: for each configuration, what a separation into
// it throws off and how far the centre of mass moves; its <DELETE> lines
// mark objects of the two system lists.
#pragma once

#include <cstdio>

#include "config/ConfigurationSet.h"

class ParseContext;
class SystemList;

class SeparationSection {
 public:
  SeparationSection(ConfigurationSet &target, SystemList &fluidList, SystemList &electricList)
      : set(target), fluid(fluidList), electric(electricList) {}
  // From the line after "<SEPARATION>" up to and including its closing line.
  void Read(ParseContext &context);

 private:
  void ReadBlock(ParseContext &context, int n);

  ConfigurationSet &set;
  SystemList &fluid;
  SystemList &electric;
};
