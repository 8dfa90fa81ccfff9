// Paging through the matches of the last search: Picture4 steps back and Picture5 forward with
// the left button; with the right button they jump to the first and the last match. Every press
// beeps. Each arrow is shown only while there is a match in its direction.

#include "app/module3.h"
#include "app/result_guard.h"
#include "app/shaped_form.h"
#include "catalogue/counter_text.h"
#include "catalogue/search_busy.h"
#include "platform/mouse_pointer.h"
#include "platform/runtime_services.h"
#include "ui/caption_label.h"
#include "ui/data_control_widget.h"
#include "ui/skin_picture.h"

namespace {

constexpr std::int16_t kLeftButton = 1;
constexpr std::int16_t kRightButton = 2;

enum class Direction { Back, Forward };

void showCounter(ShapedForm& form) {
    form.Label4->setCaption(catalogue::CounterText(Module3::position, Module3::total));
}

// Left button: the previous or next match. When there is none, nothing changes.
void step(ShapedForm& form, Direction direction) {
    if (direction == Direction::Back) {
        form.Data1->Recordset().FindPrevious(Module3::critere);
    } else {
        form.Data1->Recordset().FindNext(Module3::critere);
    }
    if (form.Data1->Recordset().NoMatch()) {
        return;
    }
    Module3::position += direction == Direction::Back ? -1 : 1;
    showCounter(form);
    form.lecture();
    if (direction == Direction::Back) {
        form.Picture4->setVisible(Module3::position != 1);
        form.Picture5->setVisible(true);
    } else {
        form.Picture4->setVisible(true);
        form.Picture5->setVisible(Module3::total != Module3::position);
    }
}

// Right button: the first or last match, under the hourglass. When there is none, a second
// beep.
void jump(ShapedForm& form, Direction direction) {
    form.SetMousePointer(platform::vbHourglass);
    if (direction == Direction::Back) {
        form.Data1->Recordset().FindFirst(Module3::critere);
    } else {
        form.Data1->Recordset().FindLast(Module3::critere);
    }
    if (form.Data1->Recordset().NoMatch()) {
        platform::Beep();
    } else {
        Module3::position = direction == Direction::Back ? 1 : Module3::total;
        showCounter(form);
        form.lecture();
        form.Picture4->setVisible(direction == Direction::Forward);
        form.Picture5->setVisible(direction == Direction::Back);
    }
    form.SetMousePointer(platform::vbDefault);
}

void press(ShapedForm& form, std::int16_t button, Direction direction) {
    // While a search counts, its result is half-built: the arrows wait for it to end.
    if (catalogue::SearchRunning()) {
        return;
    }
    platform::Beep();
    if (button == kLeftButton) {
        catalogue::RunKeepingResult(form, [&] { step(form, direction); });
    } else if (button == kRightButton) {
        catalogue::RunKeepingResult(form, [&] { jump(form, direction); });
    }
}

} // namespace

void ShapedForm::Picture4_MouseDown(std::int16_t& Button, std::int16_t& /*Shift*/, float& /*X*/,
                                    float& /*Y*/) {
    press(*this, Button, Direction::Back);
}

void ShapedForm::Picture5_MouseDown(std::int16_t& Button, std::int16_t& /*Shift*/, float& /*X*/,
                                    float& /*Y*/) {
    press(*this, Button, Direction::Forward);
}
