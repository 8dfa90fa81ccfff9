// Enter in the search box runs the search, whatever modifier keys are held; other keys only
// edit the text.

#include "app/recherche.h"
#include "app/search_busy.h"
#include "app/shaped_form.h"

namespace {

constexpr std::int16_t kEnterKey = 13;

} // namespace

void ShapedForm::Text1_KeyDown(std::int16_t& KeyCode, std::int16_t& /*Shift*/) {
    // A search already running is not started again from its own event pump.
    if (KeyCode == kEnterKey && !app::SearchRunning()) {
        Module1::recherche();
    }
}
