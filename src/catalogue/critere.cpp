#include "catalogue/critere.h"

namespace catalogue {

// The characters looked at are all ASCII, so the bytes of UTF-8 text go through one by one.
std::string LiteralLikeText(std::string_view typed) {
    std::string literal;
    literal.reserve(typed.size() + typed.size() / 4);
    for (const char c : typed) {
        switch (c) {
        case '\'':
            literal += "''";
            break;
        case '[':
        case '*':
        case '?':
        case '#':
            literal += '[';
            literal += c;
            literal += ']';
            break;
        default:
            literal += c;
            break;
        }
    }
    return literal;
}

std::string BuildCritere(std::string_view typed) {
    const std::string text = LiteralLikeText(typed);
    return "Nom like '*" + text + "*'" + " or Description like '*" + text + "*'";
}

} // namespace catalogue
