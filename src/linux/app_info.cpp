#include "linux/app_info.h"

#include "linux/single_instance.h"
#include "system/program_folder.h"
#include "system/utf8_path.h"

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

QString AppPath() {
    if (appPathSource()) {
        return appPathSource()();
    }
    return QString::fromStdString(sys::Utf8Of(sys::ProgramFolder()));
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
