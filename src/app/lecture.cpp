// The record display: the current record of the data control's recordset in the field labels,
// the recordset fetched anew for each field. A null field shows as an empty label; a field that
// cannot be read stops the display there.

#include "app/module3.h"
#include "app/shaped_form.h"
#include "catalogue/displayed_fields.h"
#include "catalogue/field_text.h"

void ShapedForm::lecture() {
    for (const catalogue::DisplayedField& field : catalogue::kDisplayedFields) {
        runtime_.SetCaption(
            app::Label(field.label),
            catalogue::FieldText(Module3::result.data.Recordset().Fields(field.recordName)));
    }
}
