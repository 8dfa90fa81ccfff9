#include "linux/mouse_pointer.h"

#include "app/runtime.h"

#include <QCursor>
#include <QGuiApplication>

namespace platform {
namespace {

std::function<void(int)>& observer() {
    static std::function<void(int)> instance;
    return instance;
}

void showPointer(int pointer) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return;
    }
    while (QGuiApplication::overrideCursor() != nullptr) {
        QGuiApplication::restoreOverrideCursor();
    }
    if (pointer == app::vbHourglass) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
}

} // namespace

void SetMousePointer(int pointer) {
    showPointer(pointer);
    if (observer()) {
        observer()(pointer);
    }
}

void SetMousePointerObserver(std::function<void(int)> newObserver) {
    observer() = std::move(newObserver);
}

} // namespace platform
