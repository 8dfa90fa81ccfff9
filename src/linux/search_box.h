#pragma once
// The one-line search field: borderless, centred, no length limit; long text scrolls inside it.
// Each key press is reported with its classic key code and shift state before the field
// handles it.

#include <QLineEdit>
#include <cstdint>

namespace ui {

class SearchBox : public QLineEdit {
    Q_OBJECT

public:
    explicit SearchBox(QWidget* parent);

signals:
    void keyDown(std::int16_t keyCode, std::int16_t shift);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace ui
