// What a vessel module includes to reach the host.
#pragma once

#include "OrbiterAPI.h"
#include "VesselAPI.h"
