// Start-up on Windows: the window is created hidden with its controls at the screen's density,
// its load step shapes it and checks for a running copy, then it is shown centred and the
// catalogue starts being read in the background.

#include "app/recherche.h"
#include "app/run_guarded.h"
#include "app/shaped_form.h"
#include "catalogue/catalogue_store.h"
#include "windows/form_events.h"
#include "windows/form_window.h"
#include "windows/win32_runtime.h"

#include <windows.h>

namespace {

int screenDotsPerInch() {
    HDC screen = GetDC(nullptr);
    const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dotsPerInch;
}

int runMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    // The program draws itself at the screen's real density rather than being stretched by
    // the system, so that its pictures and letters stay sharp.
    SetProcessDPIAware();
    const bool previousCopy = win::AnotherCopyRuns();

    win::FormWindow window{win::DeviceScale(screenDotsPerInch())};
    win::Win32Runtime runtime(window, previousCopy);
    ShapedForm form(runtime);
    win::WireEvents(window, form);
    if (!app::RunGuarded(
            runtime, [&form] { form.Form_Load(); }, app::GuardOutcome::EndOnError)) {
        return 1;
    }
    window.Show();
    // Reading a large catalogue takes a moment: start it now, so the first search finds it read.
    catalogue::PreloadCatalogue(Module1::CataloguePath(runtime));
    return runMessageLoop();
}
