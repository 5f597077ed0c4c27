// What a run must end with whatever its frame step: the same scenario at
// 0.02, 0.1 and 0.5 s.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <utility>
#include <string>

#include "Vesselsim.h"

// A pipe conserves the mass it moves, and the two tanks end at one pressure.
// A port moves at most a fixed volume a frame, so the same number of frames,
// not the same time, brings them there.
TEST(VesselsimStepLength, APipeConservesMassAndEqualisesAtEveryStep) {
  const std::string root = std::string(TEST_DATA_DIR) + "/steps";
  // Each step, and the length of its 60 000 frames: the CSV's last row.
  const std::pair<std::string, std::string> runs[] = {{"0.02", "1200"}, {"0.1", "6000"}, {"0.5", "30000"}};
  for (const auto &[dt, length] : runs) {
    const std::string csv = TempPath("steps-" + dt + ".csv");
    const Result r = Vesselsim("run --quiet --root " + root + " " + root + "/Scenarios/Steps.scn --steps 60000 --dt " +
                               dt + " --every " + length + " --csv " + csv + " --watch HYDRAULIC:HIGH:MASS" +
                               " --watch HYDRAULIC:LOW:MASS --watch HYDRAULIC:HIGH:PRESS --watch HYDRAULIC:LOW:PRESS");
    ASSERT_EQ(r.status, 0) << r.out;
    // The row at time 0 and the one at the end, in the CSV's exact numbers.
    std::istringstream rows(ReadFile(csv));
    std::string header, start, end;
    std::getline(rows, header);
    std::getline(rows, start);
    std::getline(rows, end);
    double time, high, low, highPressure, lowPressure;
    char comma;
    std::istringstream(end) >> time >> comma >> high >> comma >> low >> comma >> highPressure >> comma >> lowPressure;
    EXPECT_NEAR(high + low, 2100.0, 1e-6) << dt;
    EXPECT_NEAR(highPressure / lowPressure, 1.0, 1e-3) << dt << ": " << end;
  }
}
