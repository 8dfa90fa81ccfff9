#include "catalogue/field_text.h"

namespace catalogue {

QString FieldText(const Field& field) {
    const std::optional<std::string>& value = field.Value();
    return value ? QString::fromStdString(*value) : QString();
}

} // namespace catalogue
