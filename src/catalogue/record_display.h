#pragma once
// Writes fields of the data control's current record into the field labels, each label's
// caption the field's text whole (a null shows as an empty label). The recordset is fetched
// anew for each field, and a field that cannot be read stops the display there: the labels
// written before it keep their new text.

#include "catalogue/data_control.h"
#include "catalogue/search_window.h"

#include <span>

namespace catalogue {

struct ShownField {
    FieldLabel label;
    const char16_t* name;
};

void ShowFields(SearchWindow& window, DataControl& data, std::span<const ShownField> fields);

// The record display: Nom into Label6, CD into Label5, Description into Label8.
void ShowRecord(SearchWindow& window, DataControl& data);

} // namespace catalogue
