#pragma once
// A name, a path or a piece of text as the French messages quote it: between guillemets, held
// by no-break spaces so that a line never breaks next to a guillemet.

#include <string>
#include <string_view>

namespace catalogue {

inline std::string Quoted(std::string_view text) {
    return "\u00ab\u00a0" + std::string(text) + "\u00a0\u00bb";
}

} // namespace catalogue
