#pragma once
// The search and paging see the window through this: the search box's text, the counter and
// field labels, the arrows, the window's pointer, the beep and event pump, its record display,
// and message boxes for failures.

#include "catalogue/search_window.h"

class ShapedForm;

class FormSearchWindow final : public catalogue::SearchWindow {
public:
    explicit FormSearchWindow(ShapedForm& form) : form_(form) {}

    QString TypedText() const override;
    QString Counter() const override;
    void SetCounter(const QString& text) override;
    QString FieldShown(catalogue::FieldLabel label) const override;
    void ShowField(catalogue::FieldLabel label, const QString& text) override;
    bool ArrowShown(catalogue::Arrow arrow) const override;
    void ShowArrow(catalogue::Arrow arrow, bool shown) override;
    void SetMousePointer(int pointer) override;
    void Beep() override;
    void DoEvents() override;
    void lecture() override;
    void ReportFailure(const QString& message) override;

private:
    ShapedForm& form_;
};
