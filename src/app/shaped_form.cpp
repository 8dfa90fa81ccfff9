#include "app/shaped_form.h"

#include "app/run_guarded.h"
#include "platform/app_info.h"
#include "platform/message_box.h"
#include "platform/mouse_pointer.h"
#include "platform/program_end.h"
#include "platform/window_calls.h"
#include "shape/device_geometry.h"
#include "shape/make_region.h"
#include "shape/outline_tables.h"
#include "ui/accessible_controls.h"
#include "ui/caption_label.h"
#include "ui/mouse_args.h"
#include "ui/pointer_entry.h"
#include "ui/search_box.h"
#include "ui/skin_picture.h"

#include <QCloseEvent>
#include <QPainter>
#include <cassert>

namespace {

ShapedForm* theForm = nullptr;

// The disc inscribed in a box (right and bottom exclusive).
platform::HRGN discIn(QRect box) {
    return platform::CreateEllipticRgn(box.x(), box.y(), box.x() + box.width(),
                                       box.y() + box.height());
}

} // namespace

ShapedForm& TheShapedForm() {
    assert(theForm != nullptr);
    return *theForm;
}

ShapedForm::ShapedForm() {
    theForm = this;
    ui::InstallAccessibleControls(staticMetaObject);
    // Outside the region nothing is painted, so where a window manager or compositor cuts
    // only input by the shape, the desktop still shows around the device.
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    CreateControls();
    WireControlEvents();
    // The controls keep their own moves, so landing on one straight from a lit spot is the
    // last the window sees of the pointer: the spots are left, as when leaving the window.
    ui::WhenPointerEnters({Label4, Label5, Label6, Label8, Picture4, Picture5, Text1},
                          [this] { HideHighlights(); });
}

ShapedForm::~ShapedForm() {
    if (theForm == this) {
        theForm = nullptr;
    }
}

void ShapedForm::SetMousePointer(int pointer) {
    platform::SetMousePointer(pointer);
}

void ShapedForm::Form_Load() {
    const platform::HWND hWnd = platform::HandleOf(this);
    float scaleX = 1.0f, scaleY = 1.0f;
    std::int16_t offsetX = 0, offsetY = 0;
    MakeRegion(scaleX, scaleY, offsetX, offsetY);
    platform::SetWindowRgn(hWnd, windowRgn, -1);

    if (platform::PrevInstance()) {
        SetMousePointer(platform::vbDefault);
        platform::MsgBox(QStringLiteral("L'orvane Zelkis a déjà été lancé"),
                         platform::vbOKOnly | platform::vbExclamation,
                         QStringLiteral("Orvane déjà lancé"));
        platform::End();
    }

    closeRgn = discIn(shape::kCloseSpot);
    minimiseRgn = discIn(shape::kMinimiseSpot);
    helpRgn = discIn(shape::kHelpSpot);
}

void ShapedForm::Form_Unload(std::int16_t& /*Cancel*/) {
    // The unload is never refused and releases nothing: the window region goes with the window
    // and the hot-spot regions with the process.
}

platform::HRGN ShapedForm::MakeRegion(float& scaleX, float& scaleY, std::int16_t& offsetX,
                                      std::int16_t& offsetY) {
    const shape::OutlineLookups lookups{
        [this](std::int16_t& i) { return OutlineX(i); },
        [this](std::int16_t& i) { return OutlineY(i); },
        [this](std::int16_t& i) { return HoleX(i); },
        [this](std::int16_t& i) { return HoleY(i); },
    };
    return shape::MakeRegion(scaleX, scaleY, offsetX, offsetY, windowRgn, lookups);
}

std::int16_t ShapedForm::OutlineX(std::int16_t& index) {
    return shape::OutlineX(index);
}

std::int16_t ShapedForm::OutlineY(std::int16_t& index) {
    return shape::OutlineY(index);
}

std::int16_t ShapedForm::HoleX(std::int16_t& index) {
    return shape::HoleX(index);
}

std::int16_t ShapedForm::HoleY(std::int16_t& index) {
    return shape::HoleY(index);
}

void ShapedForm::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    if (!mask().isEmpty()) {
        painter.setClipRegion(mask());
    }
    painter.drawImage(QPoint(0, 0), skin_);
}

void ShapedForm::mousePressEvent(QMouseEvent* event) {
    ui::MouseArgs args = ui::PressArgs(*event);
    RunGuarded([&] { Form_MouseDown(args.button, args.shift, args.x, args.y); });
}

void ShapedForm::mouseMoveEvent(QMouseEvent* event) {
    ui::MouseArgs args = ui::MoveArgs(*event);
    RunGuarded([&] { Form_MouseMove(args.button, args.shift, args.x, args.y); });
}

void ShapedForm::mouseDoubleClickEvent(QMouseEvent* event) {
    // Qt reports the second press of a double click only as a double click, and the window
    // runs nothing on a double click.
    event->accept();
}

void ShapedForm::leaveEvent(QEvent* event) {
    // Without this a highlight would stay lit when the pointer leaves the window straight
    // from a spot.
    HideHighlights();
    QWidget::leaveEvent(event);
}

void ShapedForm::closeEvent(QCloseEvent* event) {
    std::int16_t cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0) {
        event->ignore();
        return;
    }
    event->accept();
}
