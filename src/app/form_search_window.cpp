#include "app/form_search_window.h"

#include "app/shaped_form.h"
#include "platform/message_box.h"
#include "platform/runtime_services.h"
#include "ui/caption_label.h"
#include "ui/search_box.h"
#include "ui/skin_picture.h"

namespace {

ui::CaptionLabel* labelOf(ShapedForm& form, catalogue::FieldLabel label) {
    switch (label) {
    case catalogue::FieldLabel::Nom:
        return form.Label6;
    case catalogue::FieldLabel::Cd:
        return form.Label5;
    case catalogue::FieldLabel::Description:
        break;
    }
    return form.Label8;
}

ui::SkinPicture* pictureOf(ShapedForm& form, catalogue::Arrow arrow) {
    return arrow == catalogue::Arrow::Previous ? form.Picture4 : form.Picture5;
}

} // namespace

QString FormSearchWindow::TypedText() const {
    return form_.Text1->text();
}

QString FormSearchWindow::Counter() const {
    return form_.Label4->caption();
}

void FormSearchWindow::SetCounter(const QString& text) {
    form_.Label4->setCaption(text);
}

QString FormSearchWindow::FieldShown(catalogue::FieldLabel label) const {
    return labelOf(form_, label)->caption();
}

void FormSearchWindow::ShowField(catalogue::FieldLabel label, const QString& text) {
    labelOf(form_, label)->setCaption(text);
}

bool FormSearchWindow::ArrowShown(catalogue::Arrow arrow) const {
    return !pictureOf(form_, arrow)->isHidden();
}

void FormSearchWindow::ShowArrow(catalogue::Arrow arrow, bool shown) {
    pictureOf(form_, arrow)->setVisible(shown);
}

void FormSearchWindow::SetMousePointer(int pointer) {
    form_.SetMousePointer(pointer);
}

void FormSearchWindow::Beep() {
    platform::Beep();
}

void FormSearchWindow::DoEvents() {
    platform::DoEvents();
}

void FormSearchWindow::lecture() {
    form_.lecture();
}

void FormSearchWindow::ReportFailure(const QString& message) {
    platform::MsgBox(message, platform::vbOKOnly | platform::vbExclamation);
}
