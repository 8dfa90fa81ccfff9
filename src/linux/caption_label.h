#pragma once
// A transparent label: its caption is centred, wrapped at word boundaries and cut at the label's
// lower edge. It takes the mouse input over its whole rectangle and does nothing with it.

#include <QWidget>

class QTextLayout;

namespace ui {

class CaptionLabel : public QWidget {
    Q_OBJECT

public:
    explicit CaptionLabel(QWidget* parent);

    void setCaption(const QString& caption);
    const QString& caption() const { return caption_; }

    // Where the caption's character at the offset is drawn, in label coordinates; empty when
    // it is cut off or is not there.
    QRect characterRect(int offset) const;
    // The offset in the caption of the character drawn at the point, or -1 where none is.
    int offsetAt(QPoint point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Lays the caption out as it is drawn: only the lines that reach into the label.
    void layOut(QTextLayout& layout) const;

    QString caption_;
};

} // namespace ui
