#include "app/run_guarded.h"

#include "shape/runtime_error.h"

#include <exception>
#include <string>

namespace app {
namespace {

std::string describe(const std::exception& error) {
    if (const auto* runtime = dynamic_cast<const shape::RuntimeError*>(&error)) {
        return "Erreur d'exécution " + std::to_string(runtime->number()) + " : " + error.what();
    }
    return std::string("Erreur d'exécution : ") + error.what();
}

} // namespace

bool RunGuarded(Runtime& runtime, const std::function<void()>& operation, GuardOutcome outcome) {
    std::string message;
    try {
        operation();
        return true;
    } catch (const std::exception& error) {
        message = describe(error);
    }
    runtime.SetMousePointer(vbDefault);
    if (outcome == GuardOutcome::EndOnError) {
        message += "\rLe programme va s'arrêter.";
    }
    runtime.MsgBox(message, vbOKOnly | vbCritical);
    return false;
}

} // namespace app
