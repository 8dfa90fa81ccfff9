#include "platform/regions.h"
#include "platform/runtime_error.h"
#include "platform/screen.h"
#include "shape/device_geometry.h"
#include "shape/hot_spot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace platform;
using shape::InHotSpot;
using shape::TwipsToPixel;

namespace {

struct Spot {
    const char* name;
    QRect box;
};

const Spot kSpots[] = {
    {"close", shape::kCloseSpot},
    {"minimise", shape::kMinimiseSpot},
    {"help", shape::kHelpSpot},
};

class HotSpotTest : public ::testing::Test {
protected:
    void SetUp() override {
        useDensity(15.0f);
        for (const Spot& spot : kSpots) {
            regions.push_back(CreateEllipticRgn(spot.box.left(), spot.box.top(),
                                                spot.box.right() + 1, spot.box.bottom() + 1));
        }
    }
    void TearDown() override {
        for (HRGN region : regions) {
            DeleteObject(region);
        }
        SetTwipsPerPixelSource({}, {});
    }
    static void useDensity(float twipsPerPixel) {
        SetTwipsPerPixelSource([twipsPerPixel] { return twipsPerPixel; },
                               [twipsPerPixel] { return twipsPerPixel; });
    }
    HRGN closeRgn() const { return regions[0]; }

    std::vector<HRGN> regions;
};

int errorNumberOf(float twips, float twipsPerPixel) {
    try {
        TwipsToPixel(twips, twipsPerPixel);
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return 0;
}

} // namespace

TEST_F(HotSpotTest, CloseSpotCentreHitsAndBoxCornerMisses) {
    EXPECT_TRUE(InHotSpot(closeRgn(), 4290.0f, 1080.0f)) << "pixel 286,72";
    EXPECT_FALSE(InHotSpot(closeRgn(), 279 * 15.0f, 65 * 15.0f)) << "corner pixel 279,65";
    EXPECT_FALSE(InHotSpot(closeRgn(), 286 * 15.0f, 81 * 15.0f)) << "gap below the spot";
    EXPECT_FALSE(InHotSpot(0, 4290.0f, 1080.0f)) << "a region that failed to be made";
}

TEST_F(HotSpotTest, TwipsRoundToNearestEvenThenDivideTowardZero) {
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

TEST_F(HotSpotTest, DensityIsRoundedToEvenToo) {
    EXPECT_EQ(TwipsToPixel(160.0f, 14.5f), 11) << "14.5 twips per pixel rounds to 14";
    EXPECT_EQ(TwipsToPixel(160.0f, 15.5f), 10) << "15.5 twips per pixel rounds to 16";
    EXPECT_EQ(TwipsToPixel(160.0f, 0.6f), 160);
}

TEST_F(HotSpotTest, SpotsStayOnThePaintedButtonsAtTwelveTwipsPerPixel) {
    useDensity(12.0f);
    for (std::size_t i = 0; i < std::size(kSpots); ++i) {
        const QPoint centre = kSpots[i].box.center();
        const QPoint corner = kSpots[i].box.topLeft();
        EXPECT_TRUE(InHotSpot(regions[i], centre.x() * 12.0f, centre.y() * 12.0f))
            << kSpots[i].name;
        EXPECT_FALSE(InHotSpot(regions[i], corner.x() * 12.0f, corner.y() * 12.0f))
            << kSpots[i].name;
        // The same twips read at 15 twips per pixel would land elsewhere on the skin.
        EXPECT_FALSE(InHotSpot(regions[i], centre.x() * 15.0f, centre.y() * 15.0f))
            << kSpots[i].name;
    }
}

TEST_F(HotSpotTest, DensityIsReadAfreshOnEveryTest) {
    const float x = 286 * 12.0f, y = 72 * 12.0f;
    EXPECT_FALSE(InHotSpot(closeRgn(), x, y));
    useDensity(12.0f);
    EXPECT_TRUE(InHotSpot(closeRgn(), x, y));
}

TEST_F(HotSpotTest, DensityRoundingToZeroIsARunTimeError) {
    EXPECT_EQ(errorNumberOf(4290.0f, 0.4f), RuntimeError::DivisionByZero);
    EXPECT_EQ(errorNumberOf(4290.0f, 0.5f), RuntimeError::DivisionByZero) << "0.5 rounds to 0";
    SetTwipsPerPixelSource([] { return 15.0f; }, [] { return 0.0f; });
    EXPECT_THROW(InHotSpot(closeRgn(), 4290.0f, 1080.0f), RuntimeError);
}

TEST_F(HotSpotTest, PositionsBeyondThirtyTwoBitsAreOverflowErrors) {
    EXPECT_EQ(errorNumberOf(3.0e9f, 15.0f), RuntimeError::Overflow);
    EXPECT_EQ(errorNumberOf(-3.0e9f, 15.0f), RuntimeError::Overflow);
    EXPECT_EQ(errorNumberOf(std::numeric_limits<float>::quiet_NaN(), 15.0f),
              RuntimeError::Overflow);
    EXPECT_EQ(errorNumberOf(std::numeric_limits<float>::infinity(), 15.0f), RuntimeError::Overflow);
    EXPECT_EQ(errorNumberOf(2.0e9f, 15.0f), 0);
}
