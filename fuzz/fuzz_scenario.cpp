// Fuzzed internals blocks of a scenario for a fixed vessel with every kind of
// fluid and electric object and a panel.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzRoot.h"
#include "VesselUnderTest.h"

namespace {

const char *kVessel =
    "<VESSEL>\n<PROPELLANTS>\nMAIN 100 1 3\nRCS 10 0 10\nLATER 5 2 4\n</PROPELLANTS>\n</VESSEL>\n"
    "<HYDRAULIC>\n<TANK> CABIN <0 1 0> 1000 1 1\nCHM 0 300 300 80000\nCHM 3 900 900 270000\n</TANK>\n"
    "<TANK> O2 <1 0 0> 100 1 1\nCHM 0 5000 100 1300000\n</TANK>\n<TANK> H2 <0 0 1> 100 1 1\nCHM 1 500 9 18000\n</TANK>\n"
    "<TANK> WATER <0 0 -1> 100 1 1\n</TANK>\n<PIPE> FEED\nO2:OUT CABIN:IN PREG 101000 0 ONEWAY\n</PIPE>\n"
    "<VENT> V 1 1\n<0 0 0> <0 0 1> 0.1\n</VENT>\n<PIPE> OUT\nCABIN:OUT V:IN BURST 110000 100000\n</PIPE>\n"
    "<RADIATOR> RAD <0 -1 0> 280\n2 0.9 1000\n<CREW> C 2 CABIN\n</HYDRAULIC>\n"
    "<ELECTRIC>\n<FCELL> FC <0 0 1> 100 O2:OUT H2:OUT WATER:IN\n<DCBUS> BUS FC\n<BATTERY> BATT 100000 BUS\n"
    "<DCBUS> ESS NOPOWER\n<SOCKET> SEL 1 ESS BUS BATT NOPOWER\n<ACBUS> AC ESS\n<COOLING> LOOP 1 BUS 1 280 300\nFC 1\n"
    "HYDRAULIC:RAD 1\n</COOLING>\n<ATMREGEN> REGEN 1 ESS 100 CABIN:OUT CABIN:IN\n<BOILER> HEAT 1 AC 290 100 CABIN\n"
    "</ELECTRIC>\n<PANEL> P\n</PANEL>\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  EnterScratchRoot();
  static bool written = false;
  if (!written) WriteFile("Config/Fuzz.cfg", kVessel);
  written = true;
  std::vector<std::string> block = {"<SOURCE> Fuzz", "<CONFIG> 1", "<INTERNALS>"};
  std::istringstream lines(std::string(reinterpret_cast<const char *>(data), size));
  for (std::string line; std::getline(lines, line);) block.push_back(line);
  ExerciseVessel(block);
  return 0;
}
