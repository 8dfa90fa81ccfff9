#include "catalogue/record_display.h"

#include "catalogue/field_text.h"

namespace catalogue {

void ShowFields(SearchWindow& window, DataControl& data, std::span<const ShownField> fields) {
    for (const ShownField& field : fields) {
        window.ShowField(field.label,
                         FieldText(data.Recordset().Fields(QString::fromUtf16(field.name))));
    }
}

void ShowRecord(SearchWindow& window, DataControl& data) {
    static constexpr ShownField kRecord[] = {
        {FieldLabel::Nom, u"Nom"},
        {FieldLabel::Cd, u"CD"},
        {FieldLabel::Description, u"Description"},
    };
    ShowFields(window, data, kRecord);
}

} // namespace catalogue
