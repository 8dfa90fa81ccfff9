#include "platform/message_box.h"

#include "platform/app_info.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {
namespace {

MessageBoxHandler& handler() {
    static MessageBoxHandler instance;
    return instance;
}

QMessageBox::Icon iconOf(int style) {
    switch (style & 0x70) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int showModalBox(const MessageBoxRequest& request) {
    QMessageBox box(iconOf(request.style), request.title, DisplayText(request.prompt),
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    return vbOK;
}

} // namespace

int MsgBox(const QString& prompt, int style, const QString& title) {
    const MessageBoxRequest request{prompt, style, title.isEmpty() ? AppTitle() : title};
    if (handler()) {
        return handler()(request);
    }
    return showModalBox(request);
}

void SetMessageBoxHandler(MessageBoxHandler newHandler) {
    handler() = std::move(newHandler);
}

QString DisplayText(const QString& prompt) {
    QString text;
    text.reserve(prompt.size());
    for (qsizetype i = 0; i < prompt.size(); ++i) {
        const bool bareReturn =
            prompt[i] == u'\r' && (i + 1 == prompt.size() || prompt[i + 1] != u'\n');
        if (prompt[i] != u'\r' || bareReturn) {
            text += bareReturn ? QChar(u'\n') : prompt[i];
        }
    }
    return text;
}

} // namespace platform
