#pragma once
// Finds a byte string in a large run of text, such as the case-folded text of a whole catalogue.
// Wide registers test many places at once for the needle's first and last bytes, and only the
// places where both are right get a full comparison; the answers are those of a plain byte-wise
// search (std::string_view::find). The widest registers the processor has are used: 32 bytes where
// it has them, 16 otherwise.

#include <string_view>
#include <vector>

namespace catalogue::filter {

// The first place at or after from where needle starts and ends before end, or nullptr. An empty
// needle is found at from.
const char* FindText(const char* from, const char* end, std::string_view needle);

// The ways of searching that this processor runs, the one FindText uses last; for tests, which
// hold each of them to the plain search.
using TextFinder = const char* (*)(const char* from, const char* end, std::string_view needle);
std::vector<TextFinder> TextFinders();

} // namespace catalogue::filter
