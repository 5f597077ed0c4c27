// The rates the configuration guide works its numbers from, measured on
// tests/data/rates: a crew of one, a port at its limit, the buses' idle draw.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "Vesselsim.h"

namespace {

std::map<std::string, double> RunRates(const std::string &options) {
  const std::string root = std::string(TEST_DATA_DIR) + "/rates";
  const Result r = Vesselsim("run --quiet --root " + root + " " + root + "/Scenarios/Rates.scn " + options);
  EXPECT_EQ(r.status, 0) << r.out;
  return WatchLines(r.out);
}

}  // namespace

TEST(Rates, TheGuidesFiguresHold) {
  // A crew of one breathes 640.8 g of oxygen an hour and gives back a tenth
  // of it as water: the cabin gains 64.08 g.
  const auto hour = RunRates("--dt 0.1 --duration 3600 --watch HYDRAULIC:CABIN:MASS --watch HYDRAULIC:CABIN:O2_PPRESS "
                             "--watch HYDRAULIC:CABIN:CO2_PPRESS --watch HYDRAULIC:CABIN:TEMP");
  EXPECT_NEAR(hour.at("HYDRAULIC:CABIN:MASS"), 11900 + 64.08, 0.05);  // watch lines show 6 digits
  EXPECT_NEAR(hour.at("HYDRAULIC:CABIN:O2_PPRESS"), 16.2e3, 50);
  EXPECT_NEAR(hour.at("HYDRAULIC:CABIN:CO2_PPRESS"), 3.5e3, 50);
  EXPECT_NEAR(hour.at("HYDRAULIC:CABIN:TEMP"), 289.4, 0.5);
  // A port at its limit moves 5 mL of its tank a frame: of nitrogen at
  // 200 g/L, 1 g, so 10 g over the ten frames of a second at 0.1 s.
  const double first = RunRates("--dt 0.1 --duration 1 --watch HYDRAULIC:HIGH:MASS").at("HYDRAULIC:HIGH:MASS");
  const double second = RunRates("--dt 0.1 --duration 2 --watch HYDRAULIC:HIGH:MASS").at("HYDRAULIC:HIGH:MASS");
  EXPECT_NEAR(first - second, 10.0, 0.01);
  // A DC bus draws 3 A idle; an AC bus 6 A at 36 V, 7.5 A from its 28.8 V
  // source.
  const auto buses = RunRates("--steps 2 --watch ELECTRIC:BATT:AMPS --watch ELECTRIC:AC:AMPS");
  EXPECT_EQ(buses.at("ELECTRIC:AC:AMPS"), 6.0);
  EXPECT_EQ(buses.at("ELECTRIC:BATT:AMPS"), 10.5);
}
