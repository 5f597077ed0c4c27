// Configurations of any size for measuring: N tanks in a chain of pipes and
// N electric objects (a fuel cell, buses and the consumers they feed).
#pragma once

#include <string>

// The text of a vessel configuration with `n` fluid and `n` electric objects.
std::string SyntheticConfiguration(int n);
