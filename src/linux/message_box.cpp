#include "linux/message_box.h"

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
    case app::vbCritical:
        return QMessageBox::Critical;
    case app::vbExclamation:
        return QMessageBox::Warning;
    case app::vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// Carriage returns not followed by a line feed become line feeds, so texts written with bare
// carriage returns break their lines here too.
QString displayText(const QString& prompt) {
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

int showModalBox(const MessageBoxRequest& request) {
    QMessageBox box(iconOf(request.style), request.title, displayText(request.prompt),
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    return app::vbOK;
}

} // namespace

int MsgBox(const QString& prompt, int style, const QString& title) {
    const MessageBoxRequest request{prompt, style,
                                    title.isEmpty() ? QString::fromUtf8(app::kAppTitle) : title};
    if (handler()) {
        return handler()(request);
    }
    return showModalBox(request);
}

void SetMessageBoxHandler(MessageBoxHandler newHandler) {
    handler() = std::move(newHandler);
}

} // namespace platform
