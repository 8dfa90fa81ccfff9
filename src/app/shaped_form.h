#pragma once
// The program's one window: a frameless device cut to the outline of its skin, with its eleven
// controls, its four region handles and the operations its events run.

#include "platform/regions.h"

#include <QImage>
#include <QWidget>
#include <cstdint>

namespace ui {
class SkinPicture;
class CaptionLabel;
class SearchBox;
class DataControlWidget;
} // namespace ui

class ShapedForm : public QWidget {
    Q_OBJECT

public:
    ShapedForm();
    ~ShapedForm() override;

    // Controls, named by kind and number.
    ui::SkinPicture* Picture1 = nullptr; // help spot highlight
    ui::SkinPicture* Picture2 = nullptr; // close spot highlight
    ui::SkinPicture* Picture3 = nullptr; // minimise spot highlight
    ui::SkinPicture* Picture4 = nullptr; // previous / first match
    ui::SkinPicture* Picture5 = nullptr; // next / last match
    ui::SearchBox* Text1 = nullptr;
    ui::CaptionLabel* Label4 = nullptr; // counter
    ui::CaptionLabel* Label5 = nullptr; // field cd
    ui::CaptionLabel* Label6 = nullptr; // field Nom
    ui::CaptionLabel* Label8 = nullptr; // field Description
    ui::DataControlWidget* Data1 = nullptr;

    // The window's mouse pointer (0 default, 11 hourglass).
    void SetMousePointer(int pointer);

    // Shows the current record of the catalogue in the three field labels.
    void lecture();

    // Event operations; Qt's event handlers translate their events and call these.
    void Form_Load();
    void Form_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
    void Form_MouseMove(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
    void Form_Unload(std::int16_t& Cancel);
    void Picture4_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
    void Picture5_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
    void Text1_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift);

    // Region handles, in their declared order.
    platform::HRGN minimiseRgn = 0;
    platform::HRGN closeRgn = 0;
    platform::HRGN helpRgn = 0;
    platform::HRGN windowRgn = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    platform::HRGN MakeRegion(float& scaleX, float& scaleY, std::int16_t& offsetX,
                              std::int16_t& offsetY);
    std::int16_t OutlineX(std::int16_t& index);
    std::int16_t OutlineY(std::int16_t& index);
    std::int16_t HoleX(std::int16_t& index);
    std::int16_t HoleY(std::int16_t& index);

    void CreateControls();
    // Connects the search box's key-downs and the arrows' presses to their operations.
    void WireControlEvents();
    void HideHighlights();

    QImage skin_;
};

// The program's one reference to its main window, valid while the window exists.
ShapedForm& TheShapedForm();
