#include "linux/qt_runtime.h"

#include "linux/app_info.h"
#include "linux/caption_label.h"
#include "linux/form_window.h"
#include "linux/message_box.h"
#include "linux/mouse_pointer.h"
#include "linux/program_end.h"
#include "linux/regions.h"
#include "linux/runtime_services.h"
#include "linux/screen.h"
#include "linux/search_box.h"
#include "linux/skin_picture.h"
#include "linux/window_calls.h"

namespace ui {
namespace {

ui::SkinPicture* pictureOf(FormWindow& window, app::Picture picture) {
    switch (picture) {
    case app::Picture::Picture1:
        return window.Picture1;
    case app::Picture::Picture2:
        return window.Picture2;
    case app::Picture::Picture3:
        return window.Picture3;
    case app::Picture::Picture4:
        return window.Picture4;
    case app::Picture::Picture5:
        break;
    }
    return window.Picture5;
}

ui::CaptionLabel* labelOf(FormWindow& window, app::Label label) {
    switch (label) {
    case app::Label::Label4:
        return window.Label4;
    case app::Label::Label5:
        return window.Label5;
    case app::Label::Label6:
        return window.Label6;
    case app::Label::Label8:
        break;
    }
    return window.Label8;
}

} // namespace

app::HRGN QtRuntime::CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                                   std::int32_t bottom) {
    return platform::CreateRectRgn(left, top, right, bottom);
}

app::HRGN QtRuntime::CreateEllipticRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                                       std::int32_t bottom) {
    return platform::CreateEllipticRgn(left, top, right, bottom);
}

app::HRGN QtRuntime::CreatePolygonRgn(const app::POINTAPI* points, std::int32_t count,
                                      std::int32_t fillMode) {
    return platform::CreatePolygonRgn(points, count, fillMode);
}

std::int32_t QtRuntime::CombineRgn(app::HRGN dest, app::HRGN src1, app::HRGN src2,
                                   std::int32_t mode) {
    return platform::CombineRgn(dest, src1, src2, mode);
}

std::int32_t QtRuntime::DeleteObject(app::HRGN region) {
    return platform::DeleteObject(region);
}

std::int32_t QtRuntime::PtInRegion(app::HRGN region, std::int32_t x, std::int32_t y) {
    return platform::PtInRegion(region, x, y);
}

std::int32_t QtRuntime::SetWindowRgn(app::HWND window, app::HRGN region, std::int32_t redraw) {
    return platform::SetWindowRgn(window, region, redraw);
}

std::int32_t QtRuntime::ReleaseCapture() {
    return platform::ReleaseCapture();
}

std::intptr_t QtRuntime::SendMessageA(app::HWND window, std::uint32_t message, std::intptr_t wParam,
                                      std::intptr_t lParam) {
    return platform::SendMessageA(window, message, wParam, lParam);
}

app::HWND QtRuntime::hWnd() {
    return platform::HandleOf(&window_);
}

void QtRuntime::Hide() {
    window_.hide();
}

void QtRuntime::SetWindowState(std::int32_t state) {
    const Qt::WindowStates others = window_.windowState() & ~Qt::WindowMinimized;
    window_.setWindowState(state == app::vbMinimized ? others | Qt::WindowMinimized : others);
}

void QtRuntime::SetMousePointer(std::int32_t pointer) {
    platform::SetMousePointer(pointer);
}

float QtRuntime::TwipsPerPixelX() {
    return platform::TwipsPerPixelX();
}

float QtRuntime::TwipsPerPixelY() {
    return platform::TwipsPerPixelY();
}

bool QtRuntime::Visible(app::Picture picture) {
    return !pictureOf(window_, picture)->isHidden();
}

void QtRuntime::SetVisible(app::Picture picture, bool visible) {
    pictureOf(window_, picture)->setVisible(visible);
}

std::string QtRuntime::Caption(app::Label label) {
    return labelOf(window_, label)->caption().toStdString();
}

void QtRuntime::SetCaption(app::Label label, const std::string& caption) {
    labelOf(window_, label)->setCaption(QString::fromStdString(caption));
}

std::string QtRuntime::Text1Text() {
    return window_.Text1->text().toStdString();
}

std::int32_t QtRuntime::MsgBox(const std::string& prompt, std::int32_t style,
                               const std::string& title) {
    return platform::MsgBox(QString::fromStdString(prompt), style, QString::fromStdString(title));
}

bool QtRuntime::PrevInstance() {
    return platform::PrevInstance();
}

std::string QtRuntime::AppPath() {
    return platform::AppPath().toStdString();
}

void QtRuntime::End() {
    platform::End();
}

void QtRuntime::Beep() {
    platform::Beep();
}

void QtRuntime::DoEvents() {
    platform::DoEvents();
}

} // namespace ui
