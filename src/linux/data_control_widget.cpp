#include "linux/data_control_widget.h"

#include <QPainter>

namespace ui {

DataControlWidget::DataControlWidget(QWidget* parent) : QWidget(parent) {}

void DataControlWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    // Only what lies inside the window's region is painted: where a shape cuts only the mouse
    // input (Wayland, compositors), the parts outside it must stay unpainted too.
    const QRegion windowShape = window()->mask();
    if (!windowShape.isEmpty()) {
        painter.setClipRegion(windowShape.translated(-mapTo(window(), QPoint(0, 0))));
    }
    painter.fillRect(rect(), palette().button());
    painter.drawText(rect(), Qt::AlignCenter, Caption);
}

} // namespace ui
