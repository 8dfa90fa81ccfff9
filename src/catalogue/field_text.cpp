#include "catalogue/field_text.h"

namespace catalogue {

std::string FieldText(const Field& field) {
    return field.Value().value_or(std::string());
}

} // namespace catalogue
