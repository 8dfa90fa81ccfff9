#include "linux/caption_label.h"

#include "linux/accessible_controls.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

namespace ui {
namespace {

// The caption as it is drawn: each line break (CR LF, CR or LF) becomes one line separator.
QString drawnText(const QString& caption) {
    QString text = caption;
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(u'\n', QChar::LineSeparator);
    text.replace(u'\r', QChar::LineSeparator);
    return text;
}

bool endsLineBreakPair(const QString& caption, qsizetype index) {
    return index > 0 && index < caption.size() && caption[index] == u'\n' &&
           caption[index - 1] == u'\r';
}

// The drawn text's offset of the caption's character at the offset: both characters of a
// CR LF pair are the one separator drawn for them.
int drawnOffset(const QString& caption, int offset) {
    int drawn = offset;
    for (int i = 1; i <= offset; ++i) {
        drawn -= endsLineBreakPair(caption, i) ? 1 : 0;
    }
    return drawn;
}

int captionOffset(const QString& caption, int drawn) {
    int offset = 0;
    for (int seen = 0; seen < drawn; ++seen) {
        offset += endsLineBreakPair(caption, offset + 1) ? 2 : 1;
    }
    return offset;
}

} // namespace

CaptionLabel::CaptionLabel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
}

void CaptionLabel::setCaption(const QString& caption) {
    if (caption != caption_) {
        const QString before = caption_;
        caption_ = caption;
        update();
        AnnounceCaptionChange(this, before, caption_);
    }
}

void CaptionLabel::layOut(QTextLayout& layout) const {
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
}

QRect CaptionLabel::characterRect(int offset) const {
    if (offset < 0 || offset >= caption_.size()) {
        return {};
    }
    QTextLayout layout(drawnText(caption_), font());
    layOut(layout);
    const int drawn = drawnOffset(caption_, offset);
    const QTextLine line = layout.lineForTextPosition(drawn);
    if (!line.isValid()) {
        return {};
    }
    const qreal left = line.cursorToX(drawn);
    const qreal right = line.cursorToX(drawn + 1);
    const QRectF box(QPointF(std::min(left, right), line.y()),
                     QPointF(std::max(left, right), line.y() + line.height()));
    return box.toAlignedRect().intersected(rect());
}

int CaptionLabel::offsetAt(QPoint point) const {
    if (!rect().contains(point)) {
        return -1;
    }
    QTextLayout layout(drawnText(caption_), font());
    layOut(layout);
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        if (line.naturalTextRect().contains(point)) {
            const int drawn = line.xToCursor(point.x(), QTextLine::CursorOnCharacter);
            return captionOffset(caption_, drawn);
        }
    }
    return -1;
}

void CaptionLabel::paintEvent(QPaintEvent* /*event*/) {
    if (caption_.isEmpty()) {
        return;
    }
    QTextLayout layout(drawnText(caption_), font());
    layOut(layout);

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
