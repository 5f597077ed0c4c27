// What the host SDK's headers take for granted from the compiler they were
// written for: two classes their friend declarations name before declaring
// them, and min and max as windows.h's macros give them (the module builds
// with NOMINMAX, so they come from the standard library here). Included
// before every source file of a build against the SDK.
#pragma once

#include <algorithm>

class ATMOSPHERE;
class Instrument_User;
using std::max;
using std::min;
