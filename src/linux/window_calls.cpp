#include "linux/window_calls.h"

#include "linux/caption_drag.h"

#include <QEvent>
#include <QObject>
#include <QWidget>
#include <QWindow>
#include <unordered_map>

namespace platform {
namespace {

// QWidget hands its mask to the native window unscaled, so under a Qt scale factor the shape
// would cover only part of the window. QWindow scales a mask to device pixels itself: give
// the shape to the native window whenever it is about to be shown.
class NativeShapeKeeper : public QObject {
public:
    static constexpr const char* kName = "orvane-native-shape";

    explicit NativeShapeKeeper(QWidget* window) : QObject(window), window_(window) {
        setObjectName(QString::fromLatin1(kName));
        window->installEventFilter(this);
        apply();
    }

    void apply() {
        if (QWindow* native = window_->windowHandle()) {
            native->setMask(window_->mask());
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Show) {
            apply();
        }
        return false;
    }

private:
    QWidget* window_;
};

void keepNativeShape(QWidget* window) {
    QObject* existing = window->findChild<QObject*>(QString::fromLatin1(NativeShapeKeeper::kName),
                                                    Qt::FindDirectChildrenOnly);
    if (auto* keeper = static_cast<NativeShapeKeeper*>(existing)) {
        keeper->apply();
    } else {
        new NativeShapeKeeper(window);
    }
}

struct WindowTable {
    std::unordered_map<HWND, QWidget*> windows;
    HWND lastHandle = 0;
};

WindowTable& table() {
    static WindowTable instance;
    return instance;
}

QWidget* windowFromHandle(HWND window) {
    const auto found = table().windows.find(window);
    return found == table().windows.end() ? nullptr : found->second;
}

} // namespace

HWND HandleOf(QWidget* window) {
    auto& t = table();
    for (const auto& [handle, widget] : t.windows) {
        if (widget == window) {
            return handle;
        }
    }
    const HWND handle = ++t.lastHandle;
    t.windows.emplace(handle, window);
    QObject::connect(window, &QObject::destroyed, [handle] { table().windows.erase(handle); });
    return handle;
}

std::int32_t SetWindowRgn(HWND window, HRGN region, std::int32_t redraw) {
    QWidget* widget = windowFromHandle(window);
    if (widget == nullptr) {
        return 0;
    }
    if (const auto shape = TakeRegion(region)) {
        widget->setMask(*shape);
    } else {
        widget->clearMask();
    }
    keepNativeShape(widget);
    if (redraw != 0) {
        widget->update();
    }
    return 1;
}

std::int32_t ReleaseCapture() {
    if (QWidget* grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    return 1;
}

std::intptr_t SendMessageA(HWND window, std::uint32_t message, std::intptr_t wParam,
                           std::intptr_t /*lParam*/) {
    QWidget* widget = windowFromHandle(window);
    if (widget != nullptr && message == app::kWmNcLButtonDown && wParam == app::kHtCaption) {
        StartCaptionDrag(widget);
    }
    return 0;
}

} // namespace platform
