#pragma once
// The filter a search runs: the typed text looked for anywhere in Nom or in Description.

#include <QString>

namespace catalogue {

// The typed text as a like pattern that matches exactly that text: a single quote is doubled
// for the quoted literal, and [, *, ? and # stand inside brackets so that they match themselves.
// Ordinary text comes out unchanged.
QString LiteralLikeText(const QString& typed);

// Nom like '*T*' or Description like '*T*', T the typed text made literal.
QString BuildCritere(const QString& typed);

} // namespace catalogue
