// Presses on the two arrows page through the matches of the last search: Picture4 steps back
// and Picture5 forward with the left button; with the right button they jump to the first and
// the last match, under the hourglass. Every press beeps, and a jump that finds nothing beeps
// again. Each arrow is shown only while there is a match in its direction. While a search
// counts, presses do nothing at all: its result is half-built.

#include "app/module3.h"
#include "app/result_guard.h"
#include "app/search_busy.h"
#include "app/shaped_form.h"
#include "catalogue/counter_text.h"

namespace {

constexpr std::int16_t kLeftButton = 1;
constexpr std::int16_t kRightButton = 2;

enum class Way { Back, Forward };

// Left button: the previous or next match. When there is none, nothing changes.
void step(ShapedForm& form, Way way) {
    using app::Picture;
    auto& result = Module3::result;
    app::Runtime& runtime = form.runtime();
    if (way == Way::Back) {
        result.data.Recordset().FindPrevious(result.critere);
    } else {
        result.data.Recordset().FindNext(result.critere);
    }
    if (result.data.Recordset().NoMatch()) {
        return;
    }
    result.position += way == Way::Back ? -1 : 1;
    runtime.SetCaption(app::Label::Label4, catalogue::CounterText(result.position, result.total));
    form.lecture();
    if (way == Way::Back) {
        runtime.SetVisible(Picture::Picture4, result.position != 1);
        runtime.SetVisible(Picture::Picture5, true);
    } else {
        runtime.SetVisible(Picture::Picture4, true);
        runtime.SetVisible(Picture::Picture5, result.total != result.position);
    }
}

// Right button: the first or last match, under the hourglass. When there is none, a second beep.
void jump(ShapedForm& form, Way way) {
    auto& result = Module3::result;
    app::Runtime& runtime = form.runtime();
    runtime.SetMousePointer(app::vbHourglass);
    if (way == Way::Back) {
        result.data.Recordset().FindFirst(result.critere);
    } else {
        result.data.Recordset().FindLast(result.critere);
    }
    if (result.data.Recordset().NoMatch()) {
        runtime.Beep();
    } else {
        result.position = way == Way::Back ? 1 : result.total;
        runtime.SetCaption(app::Label::Label4,
                           catalogue::CounterText(result.position, result.total));
        form.lecture();
        runtime.SetVisible(app::Picture::Picture4, way == Way::Forward);
        runtime.SetVisible(app::Picture::Picture5, way == Way::Back);
    }
    runtime.SetMousePointer(app::vbDefault);
}

void press(ShapedForm& form, Way way, std::int16_t button) {
    if (app::SearchRunning()) {
        return;
    }
    form.runtime().Beep();
    if (button == kLeftButton) {
        app::RunKeepingResult(form.runtime(), Module3::result, [&] { step(form, way); });
    } else if (button == kRightButton) {
        app::RunKeepingResult(form.runtime(), Module3::result, [&] { jump(form, way); });
    }
}

} // namespace

void ShapedForm::Picture4_MouseDown(std::int16_t& Button, std::int16_t& /*Shift*/, float& /*X*/,
                                    float& /*Y*/) {
    press(*this, Way::Back, Button);
}

void ShapedForm::Picture5_MouseDown(std::int16_t& Button, std::int16_t& /*Shift*/, float& /*X*/,
                                    float& /*Y*/) {
    press(*this, Way::Forward, Button);
}
