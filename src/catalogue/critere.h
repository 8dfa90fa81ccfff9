#pragma once
// The filter a search runs: the typed text looked for anywhere in Nom or in Description.

#include <string>
#include <string_view>

namespace catalogue {

// The typed text (UTF-8) as a like pattern that matches exactly that text: a single quote is
// doubled for the quoted literal, and [, *, ? and # stand inside brackets so that they match
// themselves. Ordinary text comes out unchanged.
std::string LiteralLikeText(std::string_view typed);

// Nom like '*T*' or Description like '*T*', T the typed text made literal.
std::string BuildCritere(std::string_view typed);

} // namespace catalogue
