// Start-up: the window is created with its controls, its load step runs, then it is shown
// centred on the screen and the catalogue starts being read in the background.

#include "app/recherche.h"
#include "app/run_guarded.h"
#include "catalogue/catalogue_store.h"
#include "linux/fonts.h"
#include "linux/form_window.h"
#include "linux/skin_images.h"
#include "linux/utf8_locale.h"
#include "orvane_version.h"

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
    QApplication::setApplicationName(QString::fromUtf8(app::kAppTitle));
    // No display name: the X11 platform would append it to every window title, so the message
    // boxes would no longer show the titles they are given.
    QApplication::setApplicationVersion(QString::fromLatin1(kOrvaneVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("orvane"));
    ui::InstallFontSubstitutions();
    ui::InitResources();

    ui::FormWindow window;
    centreOnScreen(window);
    ShapedForm& form = window.form();
    if (!app::RunGuarded(
            window.runtime(), [&form] { form.Form_Load(); }, app::GuardOutcome::EndOnError)) {
        return 1;
    }
    window.show();
    // Reading a large catalogue takes a moment: start it now, so the first search finds it read.
    catalogue::PreloadCatalogue(Module1::CataloguePath(window.runtime()));
    return QApplication::exec();
}
