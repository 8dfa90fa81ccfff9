// The window's own mouse events: the round hot spots, their highlights, and dragging the window
// by any bare part of its skin.

#include "app/shaped_form.h"

#include "shape/about_box.h"
#include "shape/hot_spot.h"

void ShapedForm::Form_MouseDown(std::int16_t& /*Button*/, std::int16_t& /*Shift*/, float& X,
                                float& Y) {
    if (inSpot(closeRgn, X, Y)) {
        runtime_.Hide();
        runtime_.MsgBox(shape::AboutBoxText(), app::vbOKOnly | app::vbInformation,
                        shape::AboutBoxTitle());
        runtime_.End();
    } else if (inSpot(minimiseRgn, X, Y)) {
        runtime_.SetWindowState(app::vbMinimized);
        runtime_.SetVisible(app::Picture::Picture3, false);
    }
    runtime_.ReleaseCapture();
    runtime_.SendMessageA(runtime_.hWnd(), app::kWmNcLButtonDown, app::kHtCaption, 0);
}

void ShapedForm::Form_MouseMove(std::int16_t& Button, std::int16_t& /*Shift*/, float& X, float& Y) {
    using app::Picture;
    if (inSpot(helpRgn, X, Y)) {
        runtime_.SetVisible(Picture::Picture1, true);
        if (Button == 1) {
            runtime_.MsgBox("ok");
        }
    } else if (inSpot(closeRgn, X, Y)) {
        runtime_.SetVisible(Picture::Picture2, true);
    } else if (inSpot(minimiseRgn, X, Y)) {
        runtime_.SetVisible(Picture::Picture3, true);
    } else {
        runtime_.SetVisible(Picture::Picture1, false);
        runtime_.SetVisible(Picture::Picture2, false);
        runtime_.SetVisible(Picture::Picture3, false);
    }
}

// Every test reads the twips per pixel and converts the position afresh.
bool ShapedForm::inSpot(app::HRGN spot, float X, float Y) {
    const int x = shape::TwipsToPixel(X, runtime_.TwipsPerPixelX());
    const int y = shape::TwipsToPixel(Y, runtime_.TwipsPerPixelY());
    return runtime_.PtInRegion(spot, x, y) != 0;
}
