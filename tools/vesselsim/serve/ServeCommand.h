// `vesselsim serve`: the scenario flown live behind a web page on the
// loopback: the panel clickable, keys, watches on charts, the clock, the
// module's log and findings, and the vessel rebuilt when its files change.
#pragma once

#include "LiveBench.h"

// Returns the process exit status: 0 after Ctrl-C, 2 bad usage or input.
int ServeScenario(const ServeOptions &options);
