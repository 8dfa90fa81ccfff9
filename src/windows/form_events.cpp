#include "windows/form_events.h"

#include "app/run_guarded.h"

namespace win {

void WireEvents(FormWindow& window, ShapedForm& form) {
    app::Runtime& runtime = form.runtime();
    FormEvents events;
    events.mouseDown = [&form, &runtime](MouseArgs& a) {
        app::RunGuarded(runtime, [&] { form.Form_MouseDown(a.button, a.shift, a.x, a.y); });
    };
    events.mouseMove = [&form, &runtime](MouseArgs& a) {
        app::RunGuarded(runtime, [&] { form.Form_MouseMove(a.button, a.shift, a.x, a.y); });
    };
    events.previousArrowDown = [&form, &runtime](MouseArgs& a) {
        app::RunGuarded(runtime, [&] { form.Picture4_MouseDown(a.button, a.shift, a.x, a.y); });
    };
    events.nextArrowDown = [&form, &runtime](MouseArgs& a) {
        app::RunGuarded(runtime, [&] { form.Picture5_MouseDown(a.button, a.shift, a.x, a.y); });
    };
    events.searchKeyDown = [&form, &runtime](std::int16_t keyCode, std::int16_t shift) {
        app::RunGuarded(runtime, [&] { form.Text1_KeyDown(keyCode, shift); });
    };
    events.unload = [&form, &runtime](std::int16_t& cancel) {
        app::RunGuarded(runtime, [&] { form.Form_Unload(cancel); });
    };
    window.SetEvents(std::move(events));
}

} // namespace win
