// The rates the configuration guide works its numbers from, measured on
// tests/data/rates: a crew of one, a port at its limit, the buses' idle draw,
// a fuel cell's wear.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <utility>

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
  // A fuel cell delivering 33 A wears by what it delivers a step: not at all
  // at 0.02 s steps, 0.047 of DPH an hour at 0.1 s and 0.27 at 0.5 s.
  const std::string events = TempPath("wear.events");
  std::ofstream(events) << "0 set int=ELECTRIC:FC:START 1\n0 set ELECTRIC:SPARE:CHARGE 0\n"
                           "0 set int=ELECTRIC:SPARE:LOAD 1\n";
  for (const auto &[step, wear] : {std::pair{"0.02", 0.0}, {"0.1", 0.047}, {"0.5", 0.267}}) {
    const auto hourOfWear = RunRates(std::string("--dt ") + step + " --duration 3600 --events " + events +
                                     " --watch ELECTRIC:FC:DPH --watch ELECTRIC:FC:AMPS");
    EXPECT_EQ(hourOfWear.at("ELECTRIC:FC:AMPS"), 33.0) << step;
    EXPECT_NEAR(hourOfWear.at("ELECTRIC:FC:DPH"), wear, 0.001) << step;
  }
}
