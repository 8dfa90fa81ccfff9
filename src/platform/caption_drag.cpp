#include "platform/caption_drag.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace platform {
namespace {

// Follows the pointer with the window while the left button stays down, then removes itself.
class PointerFollower : public QObject {
public:
    explicit PointerFollower(QWidget* window)
        : QObject(window), window_(window), grabOffset_(QCursor::pos() - window->pos()) {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::MouseMove) {
            const auto* move = static_cast<QMouseEvent*>(event);
            if (move->buttons().testFlag(Qt::LeftButton)) {
                window_->move(move->globalPosition().toPoint() - grabOffset_);
                return true;
            }
            deleteLater();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            deleteLater();
        }
        return false;
    }

private:
    QWidget* window_;
    QPoint grabOffset_;
};

CaptionDragHandler& dragHandler() {
    static CaptionDragHandler instance;
    return instance;
}

} // namespace

void StartCaptionDrag(QWidget* window) {
    if (dragHandler()) {
        dragHandler()(window);
        return;
    }
    if (!QGuiApplication::mouseButtons().testFlag(Qt::LeftButton)) {
        return; // only the left button moves a window by its caption
    }
    QWindow* handle = window->windowHandle();
    if (handle != nullptr && handle->startSystemMove()) {
        return;
    }
    new PointerFollower(window);
}

void SetCaptionDragHandler(CaptionDragHandler handler) {
    dragHandler() = std::move(handler);
}

} // namespace platform
