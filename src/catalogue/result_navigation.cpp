#include "catalogue/result_navigation.h"

#include "catalogue/counter_text.h"
#include "catalogue/result_guard.h"
#include "catalogue/search_busy.h"
#include "platform/mouse_pointer.h"

namespace catalogue {
namespace {

constexpr std::int16_t kLeftButton = 1;
constexpr std::int16_t kRightButton = 2;

// Left button: the previous or next match. When there is none, nothing changes.
void step(SearchWindow& window, SearchResult& result, Arrow arrow) {
    if (arrow == Arrow::Previous) {
        result.data.Recordset().FindPrevious(result.critere);
    } else {
        result.data.Recordset().FindNext(result.critere);
    }
    if (result.data.Recordset().NoMatch()) {
        return;
    }
    result.position += arrow == Arrow::Previous ? -1 : 1;
    window.SetCounter(CounterText(result.position, result.total));
    window.lecture();
    if (arrow == Arrow::Previous) {
        window.ShowArrow(Arrow::Previous, result.position != 1);
        window.ShowArrow(Arrow::Next, true);
    } else {
        window.ShowArrow(Arrow::Previous, true);
        window.ShowArrow(Arrow::Next, result.total != result.position);
    }
}

// Right button: the first or last match, under the hourglass. When there is none, a second
// beep.
void jump(SearchWindow& window, SearchResult& result, Arrow arrow) {
    window.SetMousePointer(platform::vbHourglass);
    if (arrow == Arrow::Previous) {
        result.data.Recordset().FindFirst(result.critere);
    } else {
        result.data.Recordset().FindLast(result.critere);
    }
    if (result.data.Recordset().NoMatch()) {
        window.Beep();
    } else {
        result.position = arrow == Arrow::Previous ? 1 : result.total;
        window.SetCounter(CounterText(result.position, result.total));
        window.lecture();
        window.ShowArrow(Arrow::Previous, arrow == Arrow::Next);
        window.ShowArrow(Arrow::Next, arrow == Arrow::Previous);
    }
    window.SetMousePointer(platform::vbDefault);
}

} // namespace

void PressArrow(SearchWindow& window, SearchResult& result, Arrow arrow, std::int16_t button) {
    if (SearchRunning()) {
        return;
    }
    window.Beep();
    if (button == kLeftButton) {
        RunKeepingResult(window, result, [&] { step(window, result, arrow); });
    } else if (button == kRightButton) {
        RunKeepingResult(window, result, [&] { jump(window, result, arrow); });
    }
}

} // namespace catalogue
