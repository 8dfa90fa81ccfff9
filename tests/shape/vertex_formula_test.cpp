#include "shape/vertex_formula.h"

#include "shape/runtime_error.h"

#include <gtest/gtest.h>

#include <limits>

using shape::ScaleVertex;

TEST(VertexFormula, DesignDensityKeepsTableValues) {
    EXPECT_EQ(ScaleVertex(115, 1.0f, 0, 15.0f), 115);
    EXPECT_EQ(ScaleVertex(347, 1.0f, 0, 15.0f), 347);
}

TEST(VertexFormula, TwelveTwipsPerPixelScalesByOneAndAQuarterWithTiesToEven) {
    EXPECT_EQ(ScaleVertex(115, 1.0f, 0, 12.0f), 144);
    EXPECT_EQ(ScaleVertex(2, 1.0f, 0, 12.0f), 2);
    EXPECT_EQ(ScaleVertex(347, 1.0f, 0, 12.0f), 434);
    EXPECT_EQ(ScaleVertex(429, 1.0f, 0, 12.0f), 536);
}

TEST(VertexFormula, HalfScaleRoundsTiesToEven) {
    EXPECT_EQ(ScaleVertex(1, 0.5f, 0, 15.0f), 0);
    EXPECT_EQ(ScaleVertex(3, 0.5f, 0, 15.0f), 2);
    EXPECT_EQ(ScaleVertex(5, 0.5f, 0, 15.0f), 2);
    EXPECT_EQ(ScaleVertex(115, 0.5f, 0, 15.0f), 58);
}

TEST(VertexFormula, OffsetIsAddedAfterScaling) {
    EXPECT_EQ(ScaleVertex(115, 1.0f, 10, 12.0f), 154);
    EXPECT_EQ(ScaleVertex(1, 1.0f, -3, 15.0f), -2);
}

int errorNumberOf(std::int16_t v, float scale, std::int16_t offset, float twips) {
    try {
        ScaleVertex(v, scale, offset, twips);
    } catch (const shape::RuntimeError& error) {
        return error.number();
    }
    return 0;
}

TEST(VertexFormula, ArithmeticFaultsAreRunTimeErrors) {
    using shape::RuntimeError;
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(errorNumberOf(115, 1.0f, 0, 0.0f), RuntimeError::DivisionByZero);
    EXPECT_EQ(errorNumberOf(0, 1.0f, 0, 0.0f), RuntimeError::InvalidProcedureCall);
    EXPECT_EQ(errorNumberOf(115, nan, 0, 15.0f), RuntimeError::InvalidProcedureCall);
    EXPECT_EQ(errorNumberOf(115, 1.0f, 0, nan), RuntimeError::InvalidProcedureCall);
    EXPECT_EQ(errorNumberOf(115, inf, 0, 15.0f), RuntimeError::Overflow);
    EXPECT_EQ(errorNumberOf(0, inf, 0, 15.0f), RuntimeError::InvalidProcedureCall);
    // 347 * 1e9 * 15 / 15 lies far beyond the 32-bit range.
    EXPECT_EQ(errorNumberOf(347, 1e9f, 0, 15.0f), RuntimeError::Overflow);
    EXPECT_EQ(errorNumberOf(347, -1e9f, 0, 15.0f), RuntimeError::Overflow);
    EXPECT_EQ(errorNumberOf(115, 1.0f, 0, 1e-30f), RuntimeError::Overflow);
}
