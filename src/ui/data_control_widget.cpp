#include "ui/data_control_widget.h"

#include <QPainter>

namespace ui {

DataControlWidget::DataControlWidget(QWidget* parent) : QWidget(parent) {}

void DataControlWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    painter.drawText(rect(), Qt::AlignCenter, Caption);
}

} // namespace ui
