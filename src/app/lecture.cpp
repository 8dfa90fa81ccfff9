// The record display: the current record of the data control's recordset in the three field
// labels. A null field shows as an empty label.

#include "app/form_search_window.h"
#include "app/module3.h"
#include "app/shaped_form.h"
#include "catalogue/record_display.h"

void ShapedForm::lecture() {
    FormSearchWindow window(*this);
    catalogue::ShowRecord(window, Module3::result.data);
}
