#pragma once
// What the search, the record display and paging read and write in the window: the typed text,
// the counter, the three field labels, the two arrows, the mouse pointer, the beep and the event
// pump, the window's own record display, and the report of a failure. The window answers it
// over its controls; tests answer it without any window.

#include <QString>

namespace catalogue {

// The field labels: Label6 shows Nom, Label5 cd, Label8 Description.
enum class FieldLabel { Nom, Cd, Description };
// The arrows: Picture4 goes to the previous match, Picture5 to the next.
enum class Arrow { Previous, Next };

class SearchWindow {
public:
    virtual ~SearchWindow() = default;

    virtual QString TypedText() const = 0;

    virtual QString Counter() const = 0;
    virtual void SetCounter(const QString& text) = 0;
    virtual QString FieldShown(FieldLabel label) const = 0;
    virtual void ShowField(FieldLabel label, const QString& text) = 0;
    virtual bool ArrowShown(Arrow arrow) const = 0;
    virtual void ShowArrow(Arrow arrow, bool shown) = 0;

    // 0 the default pointer, 11 the hourglass.
    virtual void SetMousePointer(int pointer) = 0;
    virtual void Beep() = 0;
    // Handles every event waiting for the window, then returns.
    virtual void DoEvents() = 0;
    // The window's record display: the current record in the three field labels.
    virtual void lecture() = 0;
    // Tells the user why a search or a move failed.
    virtual void ReportFailure(const QString& message) = 0;
};

} // namespace catalogue
