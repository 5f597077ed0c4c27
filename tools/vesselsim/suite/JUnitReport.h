// Test runs as JUnit XML, which CI test reporters read: one test suite per
// events file, one test case per expectation (failed with the broken
// promise's message), and a file that could not be flown as one case in
// error.
#pragma once

#include <string>
#include <vector>

#include "TestRun.h"

std::string JUnitReport(const std::vector<TestRun> &runs);
