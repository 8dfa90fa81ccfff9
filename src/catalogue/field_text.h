#pragma once
// A catalogue field as a label shows it: its text whole, or nothing for a null.

#include "catalogue/recordset.h"

#include <string>

namespace catalogue {

std::string FieldText(const Field& field);

} // namespace catalogue
