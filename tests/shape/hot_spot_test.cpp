// The arithmetic of the hit tests: twips and the screen's twips per pixel rounded to nearest,
// ties to even, then divided with truncation toward zero.

#include "shape/hot_spot.h"
#include "shape/runtime_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using shape::RuntimeError;
using shape::TwipsToPixel;

namespace {

int errorNumberOf(float twips, float twipsPerPixel) {
    try {
        TwipsToPixel(twips, twipsPerPixel);
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return 0;
}

} // namespace

TEST(HotSpotTest, TwipsRoundToNearestEvenThenDivideTowardZero) {
    EXPECT_EQ(TwipsToPixel(4192.5f, 15.0f), 279);
    // Ties that land on either side of a pixel boundary show the rounding is to even.
    EXPECT_EQ(TwipsToPixel(4184.5f, 15.0f), 278) << "4184.5 rounds down to 4184";
    EXPECT_EQ(TwipsToPixel(4185.5f, 15.0f), 279) << "4185.5 rounds up to 4186";
    EXPECT_EQ(TwipsToPixel(4184.6f, 15.0f), 279);
    // Negative positions truncate toward zero, not toward minus infinity.
    EXPECT_EQ(TwipsToPixel(-14.0f, 15.0f), 0);
    EXPECT_EQ(TwipsToPixel(-14.5f, 15.0f), 0) << "-14.5 rounds to -14";
    EXPECT_EQ(TwipsToPixel(-15.5f, 15.0f), -1) << "-15.5 rounds to -16";
    EXPECT_EQ(TwipsToPixel(-29.0f, 15.0f), -1);
}

TEST(HotSpotTest, DensityIsRoundedToEvenToo) {
    EXPECT_EQ(TwipsToPixel(160.0f, 14.5f), 11) << "14.5 twips per pixel rounds to 14";
    EXPECT_EQ(TwipsToPixel(160.0f, 15.5f), 10) << "15.5 twips per pixel rounds to 16";
    EXPECT_EQ(TwipsToPixel(160.0f, 0.6f), 160);
}

TEST(HotSpotTest, DensityRoundingToZeroIsARunTimeError) {
    EXPECT_EQ(errorNumberOf(4290.0f, 0.4f), RuntimeError::DivisionByZero);
    EXPECT_EQ(errorNumberOf(4290.0f, 0.5f), RuntimeError::DivisionByZero) << "0.5 rounds to 0";
}

TEST(HotSpotTest, PositionsBeyondThirtyTwoBitsAreOverflowErrors) {
    EXPECT_EQ(errorNumberOf(3.0e9f, 15.0f), RuntimeError::Overflow);
    EXPECT_EQ(errorNumberOf(-3.0e9f, 15.0f), RuntimeError::Overflow);
    EXPECT_EQ(errorNumberOf(std::numeric_limits<float>::quiet_NaN(), 15.0f),
              RuntimeError::Overflow);
    EXPECT_EQ(errorNumberOf(std::numeric_limits<float>::infinity(), 15.0f), RuntimeError::Overflow);
    EXPECT_EQ(errorNumberOf(2.0e9f, 15.0f), 0);
}
