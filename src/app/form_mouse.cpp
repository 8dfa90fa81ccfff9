// The window's own mouse events: the round hot spots, their highlights, and dragging the
// window by any bare part of its skin.

#include "app/shaped_form.h"
#include "platform/message_box.h"
#include "platform/program_end.h"
#include "platform/window_calls.h"
#include "shape/about_box.h"
#include "shape/hot_spot.h"
#include "ui/skin_picture.h"

void ShapedForm::Form_MouseDown(std::int16_t& /*Button*/, std::int16_t& /*Shift*/, float& X,
                                float& Y) {
    if (shape::InHotSpot(closeRgn, X, Y)) {
        hide();
        platform::MsgBox(shape::AboutBoxText(), platform::vbOKOnly | platform::vbInformation,
                         shape::AboutBoxTitle());
        platform::End();
    } else if (shape::InHotSpot(minimiseRgn, X, Y)) {
        setWindowState(windowState() | Qt::WindowMinimized);
        Picture3->hide();
    }
    platform::ReleaseCapture();
    platform::SendMessageA(platform::HandleOf(this), platform::WM_NCLBUTTONDOWN,
                           platform::HTCAPTION, 0);
}

void ShapedForm::Form_MouseMove(std::int16_t& Button, std::int16_t& /*Shift*/, float& X, float& Y) {
    if (shape::InHotSpot(helpRgn, X, Y)) {
        Picture1->show();
        if (Button == 1) {
            platform::MsgBox(QStringLiteral("ok"));
        }
    } else if (shape::InHotSpot(closeRgn, X, Y)) {
        Picture2->show();
    } else if (shape::InHotSpot(minimiseRgn, X, Y)) {
        Picture3->show();
    } else {
        HideHighlights();
    }
}

void ShapedForm::HideHighlights() {
    Picture1->hide();
    Picture2->hide();
    Picture3->hide();
}
