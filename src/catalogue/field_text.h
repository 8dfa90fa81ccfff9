#pragma once
// A catalogue field as a label shows it: its text whole, or nothing for a null.

#include "catalogue/recordset.h"

#include <QString>

namespace catalogue {

QString FieldText(const Field& field);

} // namespace catalogue
