#pragma once
// What the reading helper does to its own process before the Jet library runs: bounds its memory
// and processor time, and keeps the library's prints off the channel that carries the rows.

#include "catalogue/reader_limits.h"

#include <cstdio>

namespace reader {

// Address space beyond what the process maps now (so that libraries and a sanitizer's shadow
// memory already mapped do not count), and processor time. Past the memory limit allocations
// fail; past the time limit the system ends the process. Also ends it with the program that
// started it.
void BoundThisProcess(const catalogue::ReaderLimits& limits);

// The rows channel: the descriptor that standard output was, moved to a descriptor of its own,
// while standard output itself now goes nowhere. Null when that fails.
std::FILE* TakeStandardOutputAsChannel();

} // namespace reader
