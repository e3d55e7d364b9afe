#pragma once

#include <functional>

// What several benchmarks need: running the event loop until something is
// done, and the process's resident memory.
bool runUntil(const std::function<bool()> &done, int limitMs);
double residentMegabytes();
