#pragma once
// Keeps stray prints off the channel that carries the rows.

#include <cstdio>

namespace reader {

// The rows channel: the descriptor that standard output was, moved to a descriptor of its own,
// while standard output itself now goes nowhere. Null when that fails.
std::FILE* TakeStandardOutputAsChannel();

} // namespace reader
