#include "linux/form_window.h"

#include "app/run_guarded.h"
#include "linux/accessible_controls.h"
#include "linux/caption_label.h"
#include "linux/mouse_args.h"
#include "linux/pointer_entry.h"
#include "linux/search_box.h"
#include "linux/skin_picture.h"

#include <QCloseEvent>
#include <QPainter>

namespace ui {

FormWindow::FormWindow() {
    InstallAccessibleControls(staticMetaObject);
    // Outside the region nothing is painted, so where a window manager or compositor cuts
    // only input by the shape, the desktop still shows around the device.
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    CreateControls();
    WireControlEvents();
    // The controls keep their own moves, so landing on one straight from a lit spot is the
    // last the window sees of the pointer: the spots are left, as when leaving the window.
    WhenPointerEnters({Label4, Label5, Label6, Label8, Picture4, Picture5, Text1},
                      [this] { HideHighlights(); });
}

void FormWindow::HideHighlights() {
    Picture1->hide();
    Picture2->hide();
    Picture3->hide();
}

void FormWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    if (!mask().isEmpty()) {
        painter.setClipRegion(mask());
    }
    painter.drawImage(QPoint(0, 0), skin_);
}

void FormWindow::mousePressEvent(QMouseEvent* event) {
    MouseArgs args = PressArgs(*event);
    app::RunGuarded(runtime_,
                    [&] { form_.Form_MouseDown(args.button, args.shift, args.x, args.y); });
}

void FormWindow::mouseMoveEvent(QMouseEvent* event) {
    MouseArgs args = MoveArgs(*event);
    app::RunGuarded(runtime_,
                    [&] { form_.Form_MouseMove(args.button, args.shift, args.x, args.y); });
}

void FormWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    // Qt reports the second press of a double click only as a double click, and the window
    // runs nothing on a double click.
    event->accept();
}

void FormWindow::leaveEvent(QEvent* event) {
    // Without this a highlight would stay lit when the pointer leaves the window straight
    // from a spot.
    HideHighlights();
    QWidget::leaveEvent(event);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    std::int16_t cancel = 0;
    form_.Form_Unload(cancel);
    if (cancel != 0) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace ui
