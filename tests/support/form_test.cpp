#include "form_test.h"

#include "linux/app_info.h"
#include "linux/fonts.h"
#include "linux/mouse_pointer.h"
#include "linux/program_end.h"
#include "linux/runtime_services.h"
#include "linux/screen.h"
#include "linux/skin_images.h"

QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "orvane-tests";
    static char* argv[] = {name, nullptr};
    static QApplication* application = [] {
        auto* app = new QApplication(argc, argv);
        ui::InstallFontSubstitutions();
        ui::InitResources();
        return app;
    }();
    return *application;
}

void FormTest::SetUp() {
    TestApplication();
    platform::SetMessageBoxHandler([this](const platform::MessageBoxRequest& request) {
        boxes.push_back(request);
        return app::vbOK;
    });
    platform::SetEndHandler([this] {
        ++ends;
        throw ProgramEnded{};
    });
    platform::SetBeepHandler([this] { ++beeps; });
    platform::SetMousePointerObserver([this](int pointer) { pointerChanges.push_back(pointer); });
    platform::SetPrevInstanceSource([] { return false; });
    const QString folder = folder_.path();
    platform::SetAppPathSource([folder] { return folder; });
    platform::SetTwipsPerPixelSource([] { return 15.0f; }, [] { return 15.0f; });
}

void FormTest::TearDown() {
    form.reset();
    platform::SetMessageBoxHandler({});
    platform::SetEndHandler({});
    platform::SetBeepHandler({});
    platform::SetMousePointerObserver({});
    platform::SetPrevInstanceSource({});
    platform::SetAppPathSource({});
    platform::SetTwipsPerPixelSource({}, {});
    platform::SetMousePointer(app::vbDefault);
}

ui::FormWindow& FormTest::openForm() {
    form = std::make_unique<ui::FormWindow>();
    form->form().Form_Load();
    form->show();
    return *form;
}
