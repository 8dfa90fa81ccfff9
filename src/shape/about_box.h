#pragma once
// The about box shown when the close spot is pressed.

#include <string>

namespace shape {

std::string AboutBoxTitle();
// Seven lines: the first three each followed by two carriage returns, the last four by one.
std::string AboutBoxText();

} // namespace shape
