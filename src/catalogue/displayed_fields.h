#pragma once
// The catalogue fields the window shows, one row each: what the store reads, which label shows
// it, the name each display asks for it by, and the order the search's first display writes
// them in. The store, both displays, the clearing on no match and the kept result all go through
// this table, so a field shown more is one row here and its label in the window.

#include <array>
#include <string_view>

namespace catalogue {

struct DisplayedField {
    std::string_view column;     // the column of table Index
    int label;                   // the number of the label that shows it (Label5, Label6...)
    std::string_view searchName; // the name the search's first display asks for
    std::string_view recordName; // the name the record display asks for
    int searchOrder;             // when the search's first display writes it, from 0
};

// In the order the record display writes them. Field names match without regard to case.
inline constexpr std::array kDisplayedFields = {
    DisplayedField{"Nom", 6, "Nom", "Nom", 1},
    DisplayedField{"cd", 5, "cd", "CD", 0},
    DisplayedField{"Description", 8, "Description", "Description", 2},
};

// The rows in the order the search's first display writes them.
constexpr std::array<DisplayedField, kDisplayedFields.size()> InSearchOrder() {
    std::array<DisplayedField, kDisplayedFields.size()> ordered{};
    for (const DisplayedField& field : kDisplayedFields) {
        ordered[std::size_t(field.searchOrder)] = field;
    }
    return ordered;
}

} // namespace catalogue
