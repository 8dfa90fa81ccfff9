#pragma once
// The search: looks the text of the search box up in the catalogue beside the program, counts
// the matches, and shows the counter, the arrows and the first match.

#include "app/runtime.h"

#include <string>

namespace Module1 {

void recherche();

// The catalogue the search reads: base.MDB in the program's folder.
std::string CataloguePath(app::Runtime& runtime);

} // namespace Module1
