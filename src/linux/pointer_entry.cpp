#include "linux/pointer_entry.h"

#include <QEvent>
#include <QWidget>

namespace ui {
namespace {

class EntryWatch : public QObject {
public:
    EntryWatch(QWidget* control, std::function<void()> action)
        : QObject(control), action_(std::move(action)) {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Enter) {
            action_();
        }
        return false;
    }

private:
    std::function<void()> action_;
};

} // namespace

void WhenPointerEnters(std::initializer_list<QWidget*> controls, std::function<void()> action) {
    for (QWidget* control : controls) {
        new EntryWatch(control, action);
    }
}

} // namespace ui
