#include "platform/app_info.h"

#include "platform/single_instance.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {
namespace {

std::function<QString()>& appPathSource() {
    static std::function<QString()> source;
    return source;
}

std::function<bool()>& prevInstanceSource() {
    static std::function<bool()> source;
    return source;
}

} // namespace

QString AppTitle() {
    return QStringLiteral("Orvane");
}

QString AppPath() {
    if (appPathSource()) {
        return appPathSource()();
    }
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QString PathSeparator() {
    return QString(QDir::separator());
}

bool PrevInstance() {
    if (prevInstanceSource()) {
        return prevInstanceSource()();
    }
    return !HoldSingleInstanceLock();
}

void SetAppPathSource(std::function<QString()> source) {
    appPathSource() = std::move(source);
}

void SetPrevInstanceSource(std::function<bool()> source) {
    prevInstanceSource() = std::move(source);
}

} // namespace platform
