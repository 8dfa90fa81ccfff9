// Which control event runs which operation of the window: Enter and the other keys of the
// search box, and the presses on the two arrows. Each runs guarded, so a failure is reported
// and never reaches the event loop.

#include "app/run_guarded.h"
#include "linux/form_window.h"
#include "linux/search_box.h"
#include "linux/skin_picture.h"

namespace ui {

void FormWindow::WireControlEvents() {
    connect(Text1, &SearchBox::keyDown, this, [this](std::int16_t keyCode, std::int16_t shift) {
        app::RunGuarded(runtime_, [&] { form_.Text1_KeyDown(keyCode, shift); });
    });
    connect(Picture4, &SkinPicture::mouseDown, this, [this](MouseArgs args) {
        app::RunGuarded(runtime_,
                        [&] { form_.Picture4_MouseDown(args.button, args.shift, args.x, args.y); });
    });
    connect(Picture5, &SkinPicture::mouseDown, this, [this](MouseArgs args) {
        app::RunGuarded(runtime_,
                        [&] { form_.Picture5_MouseDown(args.button, args.shift, args.x, args.y); });
    });
}

} // namespace ui
