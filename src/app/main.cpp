// Start-up: the window is created with its controls, its load step runs, then it is shown
// centred on the screen and the catalogue starts being read in the background.

#include "app/run_guarded.h"
#include "app/shaped_form.h"
#include "catalogue/catalogue_store.h"
#include "orvane_version.h"
#include "platform/app_info.h"
#include "platform/utf8_locale.h"
#include "ui/fonts.h"
#include "ui/skin_images.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

namespace {

void centreOnScreen(QWidget& window) {
    const QRect screen = window.screen()->availableGeometry();
    window.move(screen.center() - window.rect().center());
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    platform::EnsureUtf8CharacterType();
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    // No display name: the X11 platform would append it to every window title, so the message
    // boxes would no longer show the titles they are given.
    QApplication::setApplicationVersion(QString::fromLatin1(kOrvaneVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("orvane"));
    ui::InstallFontSubstitutions();
    ui::InitResources();

    ShapedForm form;
    centreOnScreen(form);
    if (!RunGuarded([&form] { form.Form_Load(); }, GuardOutcome::EndOnError)) {
        return 1;
    }
    form.show();
    // Reading a large catalogue takes a moment: start it now, so the first search finds it read.
    catalogue::PreloadCatalogue(platform::AppPath() + platform::PathSeparator() +
                                QStringLiteral("base.MDB"));
    return QApplication::exec();
}
