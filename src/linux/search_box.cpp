#include "linux/search_box.h"

#include "linux/mouse_args.h"

#include <QKeyEvent>
#include <climits>

namespace ui {

SearchBox::SearchBox(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setAlignment(Qt::AlignCenter);
    setMaxLength(INT_MAX);
}

void SearchBox::keyPressEvent(QKeyEvent* event) {
    emit keyDown(KeyCodeOf(event->key()), ShiftState(event->modifiers()));
    QLineEdit::keyPressEvent(event);
}

} // namespace ui
