#pragma once
// Table and field names are matched the way Jet matches them: without regard to letter case,
// across Unicode ("UMSÄTZE" names the table "Umsätze").

#include <string_view>

namespace reader {

bool SameJetName(std::string_view a, std::string_view b);

} // namespace reader
