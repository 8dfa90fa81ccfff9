#include "shape/vertex_formula.h"

#include "shape/runtime_error.h"

#include <cmath>

namespace shape {
namespace {

constexpr float kDesignTwipsPerPixel = 15.0f;

[[noreturn]] void fail(int number, const char* description) {
    throw RuntimeError(number, description);
}

} // namespace

std::int32_t ScaleVertex(std::int16_t value, float scale, std::int16_t offset,
                         float twipsPerPixel) {
    // Every step is checked before it runs, so no floating-point trap or undefined
    // conversion can happen whatever the inputs.
    const double scaled = double(float(value)) * double(scale) * double(kDesignTwipsPerPixel);
    if (std::isnan(scaled) || std::isnan(twipsPerPixel)) {
        fail(RuntimeError::InvalidProcedureCall, "Opération non valide");
    }
    if (twipsPerPixel == 0.0f) {
        if (scaled == 0.0) {
            fail(RuntimeError::InvalidProcedureCall, "Opération non valide");
        }
        fail(RuntimeError::DivisionByZero, "Division par zéro");
    }
    if (std::isinf(scaled) && std::isinf(twipsPerPixel)) {
        fail(RuntimeError::InvalidProcedureCall, "Opération non valide");
    }
    const double sum = scaled / double(twipsPerPixel) + double(float(offset));
    if (std::isnan(sum)) {
        fail(RuntimeError::InvalidProcedureCall, "Opération non valide");
    }
    if (std::isinf(sum)) {
        fail(RuntimeError::Overflow, "Dépassement de capacité");
    }
    const double rounded = std::nearbyint(sum);
    if (rounded < double(INT32_MIN) || rounded > double(INT32_MAX)) {
        fail(RuntimeError::Overflow, "Dépassement de capacité");
    }
    return std::int32_t(rounded);
}

} // namespace shape
