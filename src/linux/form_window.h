#pragma once
// The window on Linux: a frameless Qt widget cut to the outline of its skin, owning the eleven
// controls. It turns Qt's events into the arguments of the window's operations (ShapedForm) and
// runs them guarded; the operations reach it back through its runtime.

#include "app/shaped_form.h"
#include "linux/qt_runtime.h"

#include <QImage>
#include <QWidget>

namespace ui {

class SkinPicture;
class CaptionLabel;
class SearchBox;
class DataControlWidget;

class FormWindow : public QWidget {
    Q_OBJECT

public:
    FormWindow();

    // Controls, named by kind and number.
    SkinPicture* Picture1 = nullptr; // help spot highlight
    SkinPicture* Picture2 = nullptr; // close spot highlight
    SkinPicture* Picture3 = nullptr; // minimise spot highlight
    SkinPicture* Picture4 = nullptr; // previous / first match
    SkinPicture* Picture5 = nullptr; // next / last match
    SearchBox* Text1 = nullptr;
    CaptionLabel* Label4 = nullptr; // counter
    CaptionLabel* Label5 = nullptr; // field cd
    CaptionLabel* Label6 = nullptr; // field Nom
    CaptionLabel* Label8 = nullptr; // field Description
    DataControlWidget* Data1 = nullptr;

    // The operations this window's events run, and the runtime they see it through.
    ShapedForm& form() { return form_; }
    app::Runtime& runtime() { return runtime_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    // Connects the search box's key-downs and the arrows' presses to their operations.
    void WireControlEvents();
    void HideHighlights();

    QImage skin_;
    QtRuntime runtime_{*this};
    ShapedForm form_{runtime_};
};

} // namespace ui
