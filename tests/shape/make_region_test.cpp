#include "shape/make_region.h"

#include "platform/runtime_error.h"
#include "platform/screen.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

class MakeRegionTest : public ::testing::Test {
protected:
    void useDensity(float x, float y) {
        SetTwipsPerPixelSource([x] { return x; }, [y] { return y; });
    }
    void TearDown() override { SetTwipsPerPixelSource({}, {}); }

    HRGN build(float scale = 1.0f, std::int16_t offsetX = 0, std::int16_t offsetY = 0) {
        float sx = scale, sy = scale;
        HRGN windowRgn = 0;
        const HRGN made = shape::MakeRegion(sx, sy, offsetX, offsetY, windowRgn);
        EXPECT_EQ(made, windowRgn);
        return made;
    }
};

} // namespace

TEST_F(MakeRegionTest, AtDesignDensityFollowsTheOutlineAndCutsTheHole) {
    useDensity(15.0f, 15.0f);
    const int before = LiveRegionCount();
    const HRGN rgn = build();
    EXPECT_EQ(LiveRegionCount(), before + 1) << "temporary regions must be deleted";

    const QRect bounds = RegionOf(rgn)->boundingRect();
    EXPECT_EQ(bounds, QRect(QPoint(1, 1), QPoint(346, 428)));
    EXPECT_TRUE(PtInRegion(rgn, 115, 1));
    EXPECT_TRUE(PtInRegion(rgn, 200, 200));
    EXPECT_TRUE(PtInRegion(rgn, 100, 400));
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    EXPECT_FALSE(PtInRegion(rgn, 347, 429));
    for (int y = 65; y < 119; ++y) {
        for (int x = 279; x < 294; ++x) {
            EXPECT_TRUE(PtInRegion(rgn, x, y)) << x << "," << y;
        }
    }
    // The hole's interior.
    for (const auto& [x, y] : {std::pair{330, 352}, {338, 346}, {334, 357}, {327, 355}}) {
        EXPECT_FALSE(PtInRegion(rgn, x, y)) << x << "," << y;
    }
    // The data control's rectangle lies wholly outside.
    for (int y = -1; y <= 21; ++y) {
        for (int x = 276; x <= 348; ++x) {
            ASSERT_FALSE(PtInRegion(rgn, x, y)) << x << "," << y;
        }
    }
    // The whole search box lies inside.
    for (int y = 393; y < 426; ++y) {
        for (int x = 4; x < 340; ++x) {
            ASSERT_TRUE(PtInRegion(rgn, x, y)) << x << "," << y;
        }
    }
    DeleteObject(rgn);
}

TEST_F(MakeRegionTest, TwelveTwipsPerPixelScalesTheRegion) {
    useDensity(12.0f, 12.0f);
    const HRGN rgn = build();
    const QRect bounds = RegionOf(rgn)->boundingRect();
    EXPECT_EQ(bounds.right(), 434 - 1);
    EXPECT_EQ(bounds.bottom(), 536 - 1);
    DeleteObject(rgn);
}

TEST_F(MakeRegionTest, OffsetMovesBothPolygons) {
    useDensity(15.0f, 15.0f);
    const HRGN plain = build();
    const HRGN moved = build(1.0f, 10, 20);
    EXPECT_EQ(*RegionOf(moved), RegionOf(plain)->translated(10, 20));
    EXPECT_TRUE(PtInRegion(plain, 330 + 10, 352 + 20));
    EXPECT_FALSE(PtInRegion(moved, 330 + 10, 352 + 20));
    DeleteObject(plain);
    DeleteObject(moved);
}

TEST_F(MakeRegionTest, ErrorLeavesRegionsMadeSoFar) {
    useDensity(0.0f, 15.0f);
    const int before = LiveRegionCount();
    float sx = 1.0f, sy = 1.0f;
    std::int16_t ox = 0, oy = 0;
    HRGN windowRgn = 0;
    EXPECT_THROW(shape::MakeRegion(sx, sy, ox, oy, windowRgn), RuntimeError);
    EXPECT_NE(windowRgn, 0);
    EXPECT_EQ(LiveRegionCount(), before + 2) << "the window and scratch regions stay";
    EXPECT_TRUE(RegionOf(windowRgn)->isEmpty());
}
