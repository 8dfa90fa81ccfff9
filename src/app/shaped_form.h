#pragma once
// The program's one window: a frameless device cut to the outline of its skin. It holds its four
// region handles and runs the operations its events start, reaching the window, its controls and
// the platform through the runtime. Each front end makes one, over its own runtime, and turns its
// toolkit's events into these operations' arguments.

#include "app/runtime.h"

#include <cstdint>
#include <vector>

class ShapedForm {
public:
    explicit ShapedForm(app::Runtime& runtime);
    ~ShapedForm();
    ShapedForm(const ShapedForm&) = delete;
    ShapedForm& operator=(const ShapedForm&) = delete;

    // Shows the current record of the catalogue in the three field labels.
    void lecture();

private:
    app::HRGN MakeRegion(float& scaleX, float& scaleY, std::int16_t& offsetX,
                         std::int16_t& offsetY);
    std::int16_t OutlineX(std::int16_t& index);
    std::int16_t OutlineY(std::int16_t& index);
    std::int16_t HoleX(std::int16_t& index);
    std::int16_t HoleY(std::int16_t& index);

public:
    // Event operations: X and Y in twips relative to the control that raised the event.
    void Form_Load();
    void Form_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
    void Form_MouseMove(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
    void Form_Unload(std::int16_t& Cancel);
    void Picture4_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
    void Picture5_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
    void Text1_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift);

    // The window, its controls and the platform.
    app::Runtime& runtime() const { return runtime_; }

    // Region handles, in their declared order.
    app::HRGN minimiseRgn = 0;
    app::HRGN closeRgn = 0;
    app::HRGN helpRgn = 0;
    app::HRGN windowRgn = 0;

private:
    // Whether the pointer at X, Y twips lies in a hot spot's region.
    bool inSpot(app::HRGN spot, float X, float Y);
    // Fills the vertex array from one pair of outline tables, scaled to the screen.
    using Table = std::int16_t (ShapedForm::*)(std::int16_t&);
    void fillVertices(std::vector<app::POINTAPI>& vertices, int count, Table xOf, Table yOf,
                      float scaleX, float scaleY, std::int16_t offsetX, std::int16_t offsetY);

    app::Runtime& runtime_;
};

// The program's one reference to its window, valid while the window exists.
ShapedForm& TheShapedForm();
