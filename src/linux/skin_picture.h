#pragma once
// A borderless picture box: shows its picture at its top-left corner at the picture's own size,
// clipped to the box. An enabled box reports presses; a disabled one lets the mouse through
// to the window beneath.

#include "linux/mouse_args.h"

#include <QImage>
#include <QWidget>

namespace ui {

class SkinPicture : public QWidget {
    Q_OBJECT

public:
    SkinPicture(QWidget* parent, const QImage& picture);
    const QImage& picture() const { return picture_; }
    // Reports a press of the button (1 left, 2 right) at the box's centre, as a mouse press
    // there does; for presses that come from elsewhere than the mouse.
    void press(std::int16_t button);

signals:
    void mouseDown(ui::MouseArgs args);

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage picture_;
};

} // namespace ui
