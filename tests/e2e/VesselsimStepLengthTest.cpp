// What a run must end with whatever its frame step: the same scenario at
// 0.02, 0.1 and 0.5 s.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Vesselsim.h"

namespace {

const std::string kRoot = std::string(TEST_DATA_DIR) + "/steps";
const char *const kSteps[] = {"0.02", "0.1", "0.5"};

// The CSV's rows after its header, in its exact numbers.
std::vector<std::vector<double>> CsvRows(const std::string &path) {
  std::istringstream text(ReadFile(path));
  std::vector<std::vector<double>> rows;
  std::string line;
  std::getline(text, line);
  while (std::getline(text, line)) {
    std::vector<double> row;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, ',');) row.push_back(std::atof(cell.c_str()));
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::vector<double>> RunAtStep(const std::string &scenario, const std::string &dt, const std::string &length,
                                           const std::string &extra) {
  const std::string csv = TempPath(scenario + "-" + dt + ".csv");
  const Result r = Vesselsim("run --quiet --root " + kRoot + " " + kRoot + "/Scenarios/" + scenario + ".scn --dt " +
                             dt + " --csv " + csv + " " + length + " " + extra);
  EXPECT_EQ(r.status, 0) << r.out;
  return CsvRows(csv);
}

}  // namespace

// A pipe conserves the mass it moves, and the two tanks end at one pressure.
// A port moves at most a fixed volume a frame, so the same number of frames,
// not the same time, brings them there.
TEST(VesselsimStepLength, APipeConservesMassAndEqualisesAtEveryStep) {
  // Each step and the length of its 60 000 frames.
  const std::pair<std::string, std::string> runs[] = {{"0.02", "1200"}, {"0.1", "6000"}, {"0.5", "30000"}};
  for (const auto &[dt, length] : runs) {
    const auto rows = RunAtStep("Steps", dt, "--steps 60000 --every " + length,
                          "--watch HYDRAULIC:HIGH:MASS --watch HYDRAULIC:LOW:MASS --watch HYDRAULIC:HIGH:PRESS "
                          "--watch HYDRAULIC:LOW:PRESS");
    ASSERT_EQ(rows.size(), 2u) << dt;
    const std::vector<double> &end = rows.back();
    EXPECT_NEAR(end[1] + end[2], 2100.0, 1e-6) << dt;
    EXPECT_NEAR(end[3] / end[4], 1.0, 1e-3) << dt;
  }
}

// A fuel cell started at once feeds a constant load for 3000 s while a
// radiator cools in orbit. At every step the cell runs from the first row on,
// the reactants it takes come back as water to the gram, it takes the same
// reactants within 2 % (its start frame reacts the rated demand for a whole
// frame, so a long frame starts dearer), and the radiator and the cell end
// within 0.05 K and 0.5 K of the run at 0.02 s.
TEST(VesselsimStepLength, AFuelCellAndARadiatorAgreeAtEveryStep) {
  const std::string events = TempPath("cells.events");
  std::ofstream(events) << "0 set int=ELECTRIC:FC:START 1\n";
  std::vector<double> reference;
  for (const char *dt : kSteps) {
    const auto rows = RunAtStep("Cells", dt, "--duration 3000 --every 1000 --events " + events,
                          "--watch HYDRAULIC:O2TANK:MASS --watch HYDRAULIC:H2TANK:MASS --watch HYDRAULIC:WATER:MASS "
                          "--watch HYDRAULIC:RAD:TEMP --watch ELECTRIC:FC:AMPS --watch ELECTRIC:FC:TEMP");
    ASSERT_EQ(rows.size(), 4u) << dt;
    for (size_t i = 1; i < rows.size(); ++i) EXPECT_EQ(rows[i][5], 3.0) << dt << " at " << rows[i][0];
    const std::vector<double> &end = rows.back();
    EXPECT_NEAR(end[1] + end[2] + end[3], 205000.0, 1e-3) << dt;
    if (reference.empty()) reference = end;
    const double taken = 55000.0 - end[1] - end[2], referenceTaken = 55000.0 - reference[1] - reference[2];
    EXPECT_NEAR(taken / referenceTaken, 1.0, 0.02) << dt;
    EXPECT_NEAR(end[4], reference[4], 0.05) << dt;
    EXPECT_NEAR(end[6], reference[6], 0.5) << dt;
  }
}

// A plant on SYSTEMS_STEP 0.1 flown at frames of 0.02, 0.1, 0.5 and 1.7 s: at
// every time on all four grids (each 8.5 s) every watched value is the same
// to the last bit, and the plant is busy (the fuel cell wears, the cooling
// loop switches, the pipe fills the spare tank). Without the line, the same
// plant flown at 0.1 s frames does what it does with the line at 0.5 s ones,
// but for the frames' rounding.
TEST(VesselsimStepLength, AFixedSystemsStepMakesThePlantIndependentOfTheFrames) {
  const std::string events = TempPath("fixed.events");
  std::ofstream(events) << "0 set int=ELECTRIC:FC:START 1\n";
  const std::string watches =
      "--events " + events +
      " --watch HYDRAULIC:CABIN:PRESS --watch HYDRAULIC:CABIN:CO2_PPRESS --watch HYDRAULIC:CABIN:TEMP"
      " --watch HYDRAULIC:SPARE:MASS --watch HYDRAULIC:WATER:MASS --watch HYDRAULIC:RAD:TEMP --watch ELECTRIC:FC:TEMP"
      " --watch ELECTRIC:FC:DPH --watch ELECTRIC:MAIN:AMPS --watch ELECTRIC:BATT:AMPS --watch ELECTRIC:LOOP:ISON";
  std::vector<std::vector<double>> reference;
  for (const char *dt : {"0.02", "0.1", "0.5", "1.7"}) {
    const auto rows = RunAtStep("Fixed", dt, "--duration 680 --every 8.5", watches);
    ASSERT_EQ(rows.size(), 81u) << dt;
    if (reference.empty()) reference = rows;
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], reference[i]) << dt << " at row " << i;
  }
  EXPECT_GT(reference.back()[4], 10.0);
  EXPECT_GT(reference.back()[8], reference[1][8]);
  EXPECT_EQ(reference[1][11], 1.0);
  EXPECT_EQ(reference.back()[11], 0.0);

  // A save between two steps keeps what the frames left over, and the
  // restored vessel's next frame completes the step.
  const std::string saved = TempPath("fixed.scn"), resaved = TempPath("fixed-again.scn");
  Vesselsim("run --quiet --root " + kRoot + " " + kRoot + "/Scenarios/Fixed.scn --dt 0.15 --duration 0.45 --save " +
            saved);
  EXPECT_NE(ReadFile(saved).find("\n  SYSTEMS_STEP 0.1 0.04999999999"), std::string::npos);
  Vesselsim("run --quiet --root " + kRoot + " " + saved + " --dt 0.05 --steps 1 --save " + resaved);
  EXPECT_NE(ReadFile(resaved).find("\n  SYSTEMS_STEP 0.1 0\n"), std::string::npos);

  const std::string root = CopyOfTestRoot("steps", "steps-framed");
  const std::string configuration = ReadFile(root + "/Config/Fixed.cfg");
  const size_t line = configuration.find("SYSTEMS_STEP 0.1\n");
  ASSERT_NE(line, std::string::npos);
  std::ofstream(root + "/Config/Fixed.cfg") << configuration.substr(0, line) << configuration.substr(line + 17);
  const std::string csv = TempPath("framed.csv");
  ASSERT_EQ(Vesselsim("run --quiet --root " + root + " " + root + "/Scenarios/Fixed.scn --dt 0.1 --duration 680" +
                      " --every 8.5 --csv " + csv + " " + watches)
                .status,
            0);
  const auto framed = CsvRows(csv);
  ASSERT_EQ(framed.size(), reference.size());
  for (size_t i = 0; i < framed.size(); ++i)
    for (size_t c = 0; c < framed[i].size(); ++c)
      EXPECT_NEAR(framed[i][c], reference[i][c], 1e-9 * std::fabs(reference[i][c]) + 1e-12) << i << ", " << c;
}
