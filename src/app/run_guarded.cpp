#include "app/run_guarded.h"

#include "platform/message_box.h"
#include "platform/mouse_pointer.h"
#include "platform/runtime_error.h"

#include <QString>
#include <exception>

namespace {

QString describe(const std::exception& error) {
    if (const auto* runtime = dynamic_cast<const platform::RuntimeError*>(&error)) {
        return QStringLiteral("Erreur d'exécution %1 : %2")
            .arg(runtime->number())
            .arg(QString::fromUtf8(runtime->what()));
    }
    return QStringLiteral("Erreur d'exécution : %1").arg(QString::fromUtf8(error.what()));
}

} // namespace

bool RunGuarded(const std::function<void()>& operation, GuardOutcome outcome) {
    QString message;
    try {
        operation();
        return true;
    } catch (const std::exception& error) {
        message = describe(error);
    }
    platform::SetMousePointer(platform::vbDefault);
    if (outcome == GuardOutcome::EndOnError) {
        message += QStringLiteral("\rLe programme va s'arrêter.");
    }
    platform::MsgBox(message, platform::vbOKOnly | platform::vbCritical);
    return false;
}
