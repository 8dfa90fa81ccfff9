#pragma once
// Keeps stray prints off the channel that carries the rows, and hands over the one that brings the
// requests.

#include <cstdio>

namespace reader {

// The rows channel: the descriptor that standard output was, moved to a descriptor of its own,
// while standard output itself now goes nowhere. Null when that fails.
std::FILE* TakeStandardOutputAsChannel();

// The requests channel: standard input, its bytes read as they came (binary on Windows).
std::FILE* TakeStandardInputAsRequests();

} // namespace reader
