#pragma once
// Which message of the window runs which operation of ShapedForm: presses and moves on the
// window, presses on the two arrows, key-downs in the search field and the system's close.
// Every operation runs guarded, so an error shows in a French box and the window goes on.

#include "app/shaped_form.h"
#include "windows/form_window.h"

namespace win {

void WireEvents(FormWindow& window, ShapedForm& form);

} // namespace win
