#include "linux/skin_picture.h"

#include "linux/screen.h"

#include <QPainter>

namespace ui {

SkinPicture::SkinPicture(QWidget* parent, const QImage& picture)
    : QWidget(parent), picture_(picture) {
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    hide();
}

void SkinPicture::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        // A disabled box takes no mouse input: presses and moves belong to the window.
        setAttribute(Qt::WA_TransparentForMouseEvents, !isEnabled());
    }
    QWidget::changeEvent(event);
}

void SkinPicture::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), picture_);
}

void SkinPicture::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit mouseDown(PressArgs(*event));
}

void SkinPicture::press(std::int16_t button) {
    const QPointF centre = QRectF(rect()).center();
    emit mouseDown({button, 0, float(centre.x() * platform::TwipsPerPixelX()),
                    float(centre.y() * platform::TwipsPerPixelY())});
}

void SkinPicture::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is a double click, not another press: it runs
    // nothing, so a quick double click pages once.
    event->accept();
}

void SkinPicture::mouseMoveEvent(QMouseEvent* event) {
    // A shown, enabled box keeps its moves: they are not the window's.
    event->accept();
}

} // namespace ui
