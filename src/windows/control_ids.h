#pragma once
// The controls' identifiers among the window's children: what tells them apart from outside
// the program (the end-to-end tests read them), after their names' numbers.

namespace win {

enum ControlId : int {
    kText1 = 1,
    kLabel4 = 4,
    kLabel5 = 5,
    kLabel6 = 6,
    kLabel8 = 8,
    kPicture1 = 11,
    kPicture2 = 12,
    kPicture3 = 13,
    kPicture4 = 14,
    kPicture5 = 15,
};

} // namespace win
