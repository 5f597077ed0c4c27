// `--describe`: each vessel's model as the host holds it.
#pragma once

#include <ostream>

#include "Simulation.h"

void DescribeModels(const host::Simulation &sim, std::ostream &out);
