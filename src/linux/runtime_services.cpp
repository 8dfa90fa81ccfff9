#include "linux/runtime_services.h"

#include <QApplication>

namespace platform {
namespace {

std::function<void()>& beepHandler() {
    static std::function<void()> instance;
    return instance;
}

} // namespace

void Beep() {
    if (beepHandler()) {
        beepHandler()();
        return;
    }
    QApplication::beep();
}

void DoEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void SetBeepHandler(std::function<void()> handler) {
    beepHandler() = std::move(handler);
}

} // namespace platform
