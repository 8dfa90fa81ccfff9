#include "ui/caption_label.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

namespace ui {

CaptionLabel::CaptionLabel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
}

void CaptionLabel::setCaption(const QString& caption) {
    if (caption != caption_) {
        caption_ = caption;
        update();
    }
}

void CaptionLabel::paintEvent(QPaintEvent* /*event*/) {
    if (caption_.isEmpty()) {
        return;
    }
    QString text = caption_;
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(u'\n', QChar::LineSeparator);
    text.replace(u'\r', QChar::LineSeparator);

    QTextLayout layout(text, font());
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    // Only the lines that reach into the label are laid out: a huge caption costs no more
    // than a full label.
    layout.beginLayout();
    qreal y = 0;
    while (y < height()) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) {
            break;
        }
        line.setLineWidth(width());
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();

    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setClipRect(rect());
    layout.draw(&painter, QPointF(0, 0));
}

void CaptionLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void CaptionLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

void CaptionLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void CaptionLabel::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}

} // namespace ui
