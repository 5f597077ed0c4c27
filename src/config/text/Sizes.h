// The sizes every part of the module shares.
#pragma once

// A name of an object, instrument, tank or ship variable: 27 characters and
// the terminator; longer names are cut.
constexpr int kNameSize = 28;

// Room for 254 characters of a configuration line and its terminator.
constexpr int kConfigLineSize = 255;
