#include "linux/caption_drag.h"

#include "linux/system_move_cancel.h"

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

// The window manager takes the pointer a moment after it is asked to move the window. A
// release that comes before that reaches the window instead, and the window manager, which
// never sees it, would go on moving the window with the released pointer: the move is called
// off then. Once the window manager has the pointer, the window sees no release, and the next
// move without the button, or the next press, ends the watch.
class SystemMoveWatch : public QObject {
public:
    explicit SystemMoveWatch(QWindow* window) : QObject(window), window_(window) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                CancelSystemMove(window_);
                deleteLater();
            }
            break;
        case QEvent::MouseMove:
            if (!static_cast<QMouseEvent*>(event)->buttons().testFlag(Qt::LeftButton)) {
                deleteLater();
            }
            break;
        case QEvent::MouseButtonPress:
            deleteLater();
            break;
        default:
            break;
        }
        return false;
    }

private:
    QWindow* window_;
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
        new SystemMoveWatch(handle);
        return;
    }
    new PointerFollower(window);
}

void SetCaptionDragHandler(CaptionDragHandler handler) {
    dragHandler() = std::move(handler);
}

} // namespace platform
