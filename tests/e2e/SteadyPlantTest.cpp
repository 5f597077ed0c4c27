// The steady example holds its cabin for a day with the module's own rates:
// pressure, oxygen, carbon dioxide and temperature stay within 2 % of their
// day's mean with no drift, and the battery keeps its bus at full voltage. Its
// plant steps every 0.1 s whatever the frames: here they are a second long.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "Vesselsim.h"

TEST(SteadyPlant, TheCabinHoldsForADayAndThePowerBalances) {
  const std::string root = std::string(EXAMPLES_DIR) + "/steady";
  const std::string csv = TempPath("day.csv");
  const Result r = Vesselsim("run --quiet --root " + root + " " + root + "/Scenarios/Steady.scn --dt 1" +
                             " --duration 86400 --every 3600 --csv " + csv +
                             " --watch HYDRAULIC:CABIN:PRESS --watch HYDRAULIC:CABIN:O2_PPRESS" +
                             " --watch HYDRAULIC:CABIN:CO2_PPRESS --watch HYDRAULIC:CABIN:TEMP" +
                             " --watch ELECTRIC:MAIN:VOLTS");
  ASSERT_EQ(r.status, 0) << r.out;
  // Each hour's row after the first (a tank's figures are worked out by its
  // first step), one column a watched value.
  std::vector<std::vector<double>> columns(5);
  std::istringstream rows(ReadFile(csv));
  std::string row;
  std::getline(rows, row);
  std::getline(rows, row);
  while (std::getline(rows, row)) {
    std::istringstream cells(row);
    std::string cell;
    std::getline(cells, cell, ',');
    for (auto &column : columns) {
      std::getline(cells, cell, ',');
      column.push_back(std::atof(cell.c_str()));
    }
  }
  ASSERT_EQ(columns[0].size(), 24u);
  for (size_t c = 0; c < 4; ++c) {
    const std::vector<double> &v = columns[c];
    double mean = 0, slope = 0, spread = 0;
    for (double x : v) mean += x / v.size();
    const double middle = (v.size() - 1) / 2.0;
    double weight = 0;
    for (size_t i = 0; i < v.size(); ++i) {
      slope += (i - middle) * (v[i] - mean);
      weight += (i - middle) * (i - middle);
      spread = std::fmax(spread, std::fabs(v[i] - mean));
    }
    EXPECT_LT(spread / mean, 0.02) << "column " << c;
    EXPECT_LT(std::fabs(slope / weight * 24 / mean), 0.01) << "column " << c << ": drift over the day";
  }
  for (double volts : columns[4]) EXPECT_EQ(volts, 28.8);
}
