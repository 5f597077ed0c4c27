#include "SyntheticVessel.h"

#include <algorithm>

std::string SyntheticConfiguration(int n) {
  std::string text = "<VESSEL>\n<ELEMENTS>\n<Body> body 5000 0 10\n";
  for (int i = 0; i < 10; ++i) text += "<0 0 0>\n";
  text += "</Body>\n</ELEMENTS>\n</VESSEL>\n<HYDRAULIC>\n";
  // Half tanks, half pipes joining each tank to the next, the first tanks
  // holding the reactants of the fuel cell.
  const int tanks = std::max(3, (n + 1) / 2);
  for (int t = 0; t < tanks; ++t) {
    const std::string name = "T" + std::to_string(t);
    text += "<TANK> " + name + " <0 1 0> 100 1 1\n";
    if (t == 0) text += "CHM 0 50000 1000 13000000\n";
    if (t == 1) text += "CHM 1 5000 90 180000\n";
    text += "CHM 3 " + std::to_string(100 + t) + " " + std::to_string(100 + t) + " 30000\n</TANK>\n";
  }
  for (int p = 0; p + tanks < n; ++p) {
    const int from = 2 + p % (tanks - 2), to = 2 + (p + 1) % (tanks - 2);
    text += "<PIPE> P" + std::to_string(p) + "\nT" + std::to_string(from) + ":OUT T" + std::to_string(to) + ":IN\n</PIPE>\n";
  }
  text += "</HYDRAULIC>\n<ELECTRIC>\n<FCELL> FC <0 0 1> 1000 T0:OUT T1:OUT T2:IN\n";
  // Buses on the cell, each feeding boilers and regenerators.
  int built = 1, buses = 0;
  while (built < n) {
    const std::string bus = "BUS" + std::to_string(buses++);
    text += "<DCBUS> " + bus + " FC\n";
    ++built;
    for (int c = 0; c < 9 && built < n; ++c, ++built) {
      const std::string name = "C" + std::to_string(built);
      const std::string tank = "T" + std::to_string(2 + built % (tanks - 2));
      text += c % 2 == 0 ? "<ATMREGEN> " + name + " 1 " + bus + " 100 " + tank + ":OUT " + tank + ":IN\n"
                         : "<BOILER> " + name + " 1 " + bus + " 300 100 " + tank + "\n";
    }
  }
  text += "</ELECTRIC>\n";
  return text;
}
