#include "form_test.h"

#include "platform/app_info.h"
#include "platform/mouse_pointer.h"
#include "platform/program_end.h"
#include "platform/runtime_services.h"
#include "platform/screen.h"
#include "ui/fonts.h"
#include "ui/skin_images.h"

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
        return platform::vbOK;
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
    platform::SetMousePointer(platform::vbDefault);
}

ShapedForm& FormTest::openForm() {
    form = std::make_unique<ShapedForm>();
    form->Form_Load();
    form->show();
    return *form;
}
