#pragma once
// What assistive technology (a screen reader, over AT-SPI on Linux) is told about the window
// and its controls. The controls are painted by the program itself, so without this they would
// show as unnamed, empty objects: the labels are read as labels, the arrows are push buttons
// with actions that page, and the highlights and the catalogue link are left out.

#include <QString>
#include <functional>

class QAccessibleEvent;
class QWidget;
struct QMetaObject;

namespace ui {

class SkinPicture;

// Lets assistive technology read the windows of the given class and their controls; call once
// before the first such window is built. Its accessible children are the controls that are
// shown and meant to be read.
void InstallAccessibleControls(const QMetaObject& windowClass);

// Makes an arrow picture a push button while it is shown: its press action reports a left
// press, as a click would; its second action, named jumpAction, reports a right press.
void MakeAccessibleArrow(SkinPicture* arrow, const QString& name, const QString& description,
                         const QString& jumpAction);

// Tells assistive technology that a label's caption changed, so the new text is announced.
void AnnounceCaptionChange(QWidget* label, const QString& before, const QString& after);

// Tests see the events meant for assistive technology whether or not one is listening; an
// empty observer sends them to the platform again.
using AccessibleEventObserver = std::function<void(QAccessibleEvent& event)>;
void SetAccessibleEventObserver(AccessibleEventObserver observer);

} // namespace ui
