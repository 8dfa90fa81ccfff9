#pragma once
// Finds a byte string in a large run of text, such as the case-folded text of a whole catalogue.
// Wide registers test many places at once for the needle's first and last bytes, and only the
// places where both are right get a full comparison; the answers are those of a plain byte-wise
// search (std::string_view::find).

#include <string_view>

namespace catalogue::filter {

// The first place at or after from where needle starts and ends before end, or nullptr. An empty
// needle is found at from.
const char* FindText(const char* from, const char* end, std::string_view needle);

} // namespace catalogue::filter
