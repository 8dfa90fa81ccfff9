// The record display: the current record of the data control's recordset in the three field
// labels. A null field shows as an empty label.

#include "app/shaped_form.h"
#include "catalogue/field_text.h"
#include "ui/caption_label.h"
#include "ui/data_control_widget.h"

void ShapedForm::lecture() {
    Label6->setCaption(catalogue::FieldText(Data1->Recordset().Fields(QStringLiteral("Nom"))));
    Label5->setCaption(catalogue::FieldText(Data1->Recordset().Fields(QStringLiteral("CD"))));
    Label8->setCaption(
        catalogue::FieldText(Data1->Recordset().Fields(QStringLiteral("Description"))));
}
