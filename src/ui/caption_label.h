#pragma once
// A transparent label: its caption is centred, wrapped at word boundaries and cut at the label's
// lower edge. It takes the mouse input over its whole rectangle and does nothing with it.

#include <QWidget>

namespace ui {

class CaptionLabel : public QWidget {
    Q_OBJECT

public:
    explicit CaptionLabel(QWidget* parent);

    void setCaption(const QString& caption);
    const QString& caption() const { return caption_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QString caption_;
};

} // namespace ui
