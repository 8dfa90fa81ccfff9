#pragma once
// The search: looks the text of the search box up in the catalogue beside the program, counts
// the matches, and shows the counter, the arrows and the first match.

namespace Module1 {

void recherche();

} // namespace Module1
