#pragma once
// A runtime without any window, for driving the window's operations in tests: it keeps the
// controls' properties, answers the region calls with regions of its own (rectangles, inscribed
// ellipses, even-odd polygons and their combinations), answers every box with OK, and records
// every call in order as one line of text, such as "CreateEllipticRgn(279,65,294,80)=3".

#include "app/runtime.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "program_ended.h"

class FakeRuntime : public app::Runtime {
public:
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

    // Whether the pixel lies in the region behind the handle; false for unknown handles.
    bool Contains(app::HRGN region, std::int32_t x, std::int32_t y) const;
    // How many regions are alive.
    std::size_t LiveRegions() const { return regions_.size(); }
    // The calls recorded since the last Take, which are then forgotten.
    std::vector<std::string> Take();

    // What the runtime answers.
    float twipsX = 15.0f;
    float twipsY = 15.0f;
    bool previousCopy = false;
    std::string appPath = "/programme";
    std::string text1;
    // Runs inside DoEvents, for a test that lets an event through in the middle of an operation.
    std::function<void()> onDoEvents;

    // The state the operations left.
    std::map<app::Picture, bool> visible;
    std::map<app::Label, std::string> captions;
    std::int32_t mousePointer = app::vbDefault;
    std::int32_t windowState = app::vbNormal;
    bool hidden = false;
    app::HRGN windowRegion = 0;
    std::vector<std::string> calls;
    // Each kind of call on its own too, for tests that look at one kind only.
    std::vector<std::int32_t> pointerChanges;
    std::vector<std::string> boxes; // the prompts
    std::vector<std::vector<app::POINTAPI>> polygons;
    int beeps = 0;
    int pumps = 0;

private:
    app::HRGN add(std::function<bool(std::int32_t, std::int32_t)> contains);
    void record(std::string call);

    std::map<app::HRGN, std::function<bool(std::int32_t, std::int32_t)>> regions_;
    app::HRGN lastRegion_ = 0;
};

// The names the calls are recorded with.
std::string NameOf(app::Picture picture);
std::string NameOf(app::Label label);
