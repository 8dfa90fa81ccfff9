#pragma once
// Modal message boxes with the classic style values: buttons in the low bits, the icon in
// 16 (critical), 48 (exclamation) or 64 (information). A box without a title of its own shows
// the application's title. Carriage returns not followed by a line feed break lines too.

#include "app/runtime.h"

#include <QString>
#include <functional>

namespace platform {

struct MessageBoxRequest {
    QString prompt;
    int style = app::vbOKOnly;
    QString title; // already resolved: never empty
};

int MsgBox(const QString& prompt, int style = app::vbOKOnly, const QString& title = {});

// Tests answer boxes without showing them; an empty handler restores the real boxes.
using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

} // namespace platform
