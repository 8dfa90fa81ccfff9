#include "shape/outline_tables.h"

#include <array>

namespace shape {
namespace {

// clang-format off
// The device's outer outline, clockwise, in skin pixels.
constexpr std::array<std::int16_t, 132> kOutlineX = {
    115, 249, 250, 251, 260, 261, 264, 265, 265, 273, 274, 274,
    277, 278, 283, 284, 284, 286, 316, 317, 317, 319, 319, 321,
    321, 324, 324, 326, 326, 329, 329, 332, 332, 334, 334, 339,
    339, 334, 333, 323, 322, 321, 321, 325, 326, 337, 338, 339,
    339, 343, 344, 344, 346, 347, 347, 346, 346, 345, 345, 342,
    341, 341, 340, 341, 341, 344, 344, 341, 5, 3, 2, 1,
    1, 4, 250, 251, 251, 250, 50, 47, 47, 46, 43, 40,
    36, 33, 29, 26, 25, 25, 31, 32, 42, 43, 43, 35,
    34, 25, 25, 29, 29, 31, 31, 34, 34, 36, 36, 38,
    38, 42, 42, 44, 44, 46, 46, 48, 78, 79, 79, 81,
    82, 87, 88, 89, 89, 91, 92, 99, 99, 100, 113, 114,
};
constexpr std::array<std::int16_t, 132> kOutlineY = {
    1, 1, 10, 11, 11, 12, 12, 13, 14, 22, 22, 23,
    26, 26, 31, 31, 32, 34, 34, 35, 36, 38, 39, 41,
    42, 45, 46, 48, 49, 52, 53, 56, 57, 59, 60, 65,
    97, 102, 102, 112, 112, 113, 258, 262, 262, 273, 273, 274,
    318, 322, 327, 333, 335, 340, 350, 351, 354, 355, 357, 360,
    365, 382, 383, 384, 385, 388, 426, 429, 429, 427, 427, 426,
    387, 384, 384, 383, 373, 372, 372, 369, 367, 366, 359, 352,
    343, 336, 327, 320, 317, 274, 268, 268, 258, 253, 114, 106,
    106, 97, 65, 61, 60, 58, 57, 54, 53, 51, 50, 48,
    47, 43, 42, 40, 39, 37, 36, 34, 34, 33, 32, 30,
    30, 25, 25, 24, 23, 21, 21, 14, 13, 12, 12, 11,
};

// The gap inside the cable loop, clockwise, in skin pixels.
constexpr std::array<std::int16_t, 21> kHoleX = {
    337, 339, 342, 342, 341, 341, 339, 339, 337, 337, 333, 326,
    323, 322, 321, 324, 325, 333, 334, 334, 336,
};
constexpr std::array<std::int16_t, 21> kHoleY = {
    342, 342, 345, 349, 350, 351, 353, 354, 356, 357, 361, 360,
    359, 359, 358, 351, 348, 348, 347, 346, 344,
};
// clang-format on

static_assert(kOutlineX.size() == kOutlineVertexCount && kOutlineY.size() == kOutlineVertexCount);
static_assert(kHoleX.size() == kHoleVertexCount && kHoleY.size() == kHoleVertexCount);

template <std::size_t N>
std::int16_t lookup(const std::array<std::int16_t, N>& table, std::int16_t index) {
    return index >= 0 && std::size_t(index) < N ? table[std::size_t(index)] : std::int16_t{0};
}

} // namespace

std::int16_t OutlineX(std::int16_t index) {
    return lookup(kOutlineX, index);
}

std::int16_t OutlineY(std::int16_t index) {
    return lookup(kOutlineY, index);
}

std::int16_t HoleX(std::int16_t index) {
    return lookup(kHoleX, index);
}

std::int16_t HoleY(std::int16_t index) {
    return lookup(kHoleY, index);
}

} // namespace shape
