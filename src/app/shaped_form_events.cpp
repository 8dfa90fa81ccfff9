// Which control event runs which operation of the window: Enter and the other keys of the
// search box, and the presses on the two arrows. Each runs guarded, so a failure is reported
// and never reaches the event loop.

#include "app/run_guarded.h"
#include "app/shaped_form.h"
#include "ui/search_box.h"
#include "ui/skin_picture.h"

void ShapedForm::WireControlEvents() {
    connect(Text1, &ui::SearchBox::keyDown, this, [this](std::int16_t keyCode, std::int16_t shift) {
        RunGuarded([&] { Text1_KeyDown(keyCode, shift); });
    });
    connect(Picture4, &ui::SkinPicture::mouseDown, this, [this](ui::MouseArgs args) {
        RunGuarded([&] { Picture4_MouseDown(args.button, args.shift, args.x, args.y); });
    });
    connect(Picture5, &ui::SkinPicture::mouseDown, this, [this](ui::MouseArgs args) {
        RunGuarded([&] { Picture5_MouseDown(args.button, args.shift, args.x, args.y); });
    });
}
