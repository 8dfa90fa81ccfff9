#include "errors.h"

namespace jet_writer {

namespace {
std::string describe(const std::string& source, TextPosition at, const std::string& problem) {
    return source + ", ligne " + std::to_string(at.line) + ", colonne " +
           std::to_string(at.column) + " : " + problem;
}
} // namespace

InputError::InputError(const std::string& source, TextPosition at, const std::string& problem)
    : std::runtime_error(describe(source, at, problem)), at_(at), problem_(problem) {}

} // namespace jet_writer
