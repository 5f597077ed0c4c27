// `vesselsim test [DIR] [--junit FILE]`: every events file under DIR with a
// scenario header flown, up to as many at a time as the machine has cores;
// one line a file, its broken promises, and a total.
#pragma once

#include <string>

struct TestOptions {
  std::string folder = ".";
  std::string junit;
};

// 0 every promise held, 1 one broke or a file could not be flown, 2 bad
// usage.
int TestVessels(const TestOptions &options);
