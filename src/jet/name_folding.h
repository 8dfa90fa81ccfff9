#pragma once
// Table and column names compare without regard to case, as the engine compares them.

#include <string_view>

namespace jet {

// True when the two UTF-8 names differ at most by the case of their letters (basic Latin, Latin-1,
// Greek and Cyrillic capitals fold; other characters compare as they are).
bool SameName(std::string_view a, std::string_view b);

} // namespace jet
