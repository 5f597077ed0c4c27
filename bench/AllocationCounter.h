#pragma once

#include <atomic>

// Allocations made through operator new since the process started.
long long AllocationCount();
