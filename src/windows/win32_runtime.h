#pragma once
// The window's operations run on Windows over the real calls: the GDI region functions,
// SetWindowRgn, ReleaseCapture and SendMessageA on the real window, Windows' message boxes,
// pointers, beep and message queue, and the controls of the form window.

#include "app/runtime.h"
#include "windows/form_window.h"

namespace win {

class Win32Runtime final : public app::Runtime {
public:
    // `previousCopy`: whether another copy was running when this one started.
    Win32Runtime(FormWindow& form, bool previousCopy);

    app::HRGN CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                            std::int32_t bottom) override;
    app::HRGN CreateEllipticRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                                std::int32_t bottom) override;
    app::HRGN CreatePolygonRgn(const app::POINTAPI* points, std::int32_t count,
                               std::int32_t fillMode) override;
    std::int32_t CombineRgn(app::HRGN dest, app::HRGN src1, app::HRGN src2,
                            std::int32_t mode) override;
    std::int32_t DeleteObject(app::HRGN region) override;
    std::int32_t PtInRegion(app::HRGN region, std::int32_t x, std::int32_t y) override;

    std::int32_t SetWindowRgn(app::HWND window, app::HRGN region, std::int32_t redraw) override;
    std::int32_t ReleaseCapture() override;
    std::intptr_t SendMessageA(app::HWND window, std::uint32_t message, std::intptr_t wParam,
                               std::intptr_t lParam) override;

    app::HWND hWnd() override;
    void Hide() override;
    void SetWindowState(std::int32_t state) override;
    void SetMousePointer(std::int32_t pointer) override;
    float TwipsPerPixelX() override;
    float TwipsPerPixelY() override;

    bool Visible(app::Picture picture) override;
    void SetVisible(app::Picture picture, bool visible) override;
    std::string Caption(app::Label label) override;
    void SetCaption(app::Label label, const std::string& caption) override;
    std::string Text1Text() override;

    std::int32_t MsgBox(const std::string& prompt, std::int32_t style,
                        const std::string& title) override;
    bool PrevInstance() override;
    std::string AppPath() override;
    [[noreturn]] void End() override;
    void Beep() override;
    void DoEvents() override;

private:
    PictureBox& pictureBox(app::Picture picture);
    CaptionLabel& label(app::Label label);

    FormWindow& form_;
    bool previousCopy_;
};

// Takes the program's single-instance mark for the life of the process; true when another
// copy of the program already holds it.
bool AnotherCopyRuns();

} // namespace win
