#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {
namespace {

TwipsSource& sourceX() {
    static TwipsSource source;
    return source;
}

TwipsSource& sourceY() {
    static TwipsSource source;
    return source;
}

constexpr float kTwipsPerInch = 1440.0f;
// Qt lays windows out in device-independent pixels of 1/96 inch and scales them to the
// screen's real density itself, so the skin and the region stay in one coordinate system.
constexpr float kDeviceIndependentDpi = 96.0f;

float screenTwips(bool horizontal) {
    const QScreen* screen =
        qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
            ? QGuiApplication::primaryScreen()
            : nullptr;
    if (screen == nullptr) {
        return kTwipsPerInch / kDeviceIndependentDpi;
    }
    const qreal dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    const qreal independentDpi = dpi / screen->devicePixelRatio();
    return float(kTwipsPerInch / (independentDpi > 0 ? independentDpi : kDeviceIndependentDpi));
}

} // namespace

float TwipsPerPixelX() {
    return sourceX() ? sourceX()() : screenTwips(true);
}

float TwipsPerPixelY() {
    return sourceY() ? sourceY()() : screenTwips(false);
}

void SetTwipsPerPixelSource(TwipsSource x, TwipsSource y) {
    sourceX() = std::move(x);
    sourceY() = std::move(y);
}

} // namespace platform
