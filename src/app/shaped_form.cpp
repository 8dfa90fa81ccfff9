// The window's load and unload steps: shaping the window, refusing a second copy, and making the
// three hot spots.

#include "app/shaped_form.h"

#include "shape/device_geometry.h"

#include <cassert>

namespace {

ShapedForm* theForm = nullptr;

// The disc inscribed in a box (right and bottom exclusive).
app::HRGN discIn(app::Runtime& runtime, shape::Box box) {
    return runtime.CreateEllipticRgn(box.left, box.top, box.right(), box.bottom());
}

} // namespace

ShapedForm& TheShapedForm() {
    assert(theForm != nullptr);
    return *theForm;
}

ShapedForm::ShapedForm(app::Runtime& runtime) : runtime_(runtime) {
    theForm = this;
}

ShapedForm::~ShapedForm() {
    if (theForm == this) {
        theForm = nullptr;
    }
}

void ShapedForm::Form_Load() {
    const app::HWND hWnd = runtime_.hWnd();
    float scaleX = 1.0f, scaleY = 1.0f;
    std::int16_t offsetX = 0, offsetY = 0;
    MakeRegion(scaleX, scaleY, offsetX, offsetY);
    runtime_.SetWindowRgn(hWnd, windowRgn, -1);

    if (runtime_.PrevInstance()) {
        runtime_.SetMousePointer(app::vbDefault);
        runtime_.MsgBox("L'orvane Zelkis a déjà été lancé", app::vbOKOnly | app::vbExclamation,
                        "Orvane déjà lancé");
        runtime_.End();
    }

    closeRgn = discIn(runtime_, shape::kCloseSpot);
    minimiseRgn = discIn(runtime_, shape::kMinimiseSpot);
    helpRgn = discIn(runtime_, shape::kHelpSpot);
}

void ShapedForm::Form_Unload(std::int16_t& /*Cancel*/) {
    // The unload is never refused and releases nothing: the window region goes with the window
    // and the hot-spot regions with the process.
}
