// The window region the load step builds and applies, through a runtime that records the calls:
// the outline minus the hole, the temporary regions deleted, every vertex scaled to the screen.

#include "app/shaped_form.h"
#include "fake_runtime.h"
#include "shape/runtime_error.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class MakeRegionTest : public ::testing::Test {
protected:
    // Runs the load step and answers the region it applied.
    app::HRGN load() {
        form.Form_Load();
        return runtime.windowRegion;
    }

    FakeRuntime runtime;
    ShapedForm form{runtime};
};

std::int32_t largest(const std::vector<app::POINTAPI>& points, std::int32_t app::POINTAPI::*axis) {
    const auto found = std::max_element(points.begin(), points.end(),
                                        [axis](auto a, auto b) { return a.*axis < b.*axis; });
    return (*found).*axis;
}

} // namespace

TEST_F(MakeRegionTest, TheRegionIsBuiltInItsStepsAndTheTemporaryRegionsDeleted) {
    const app::HRGN region = load();
    const std::vector<std::string> building(runtime.calls.begin() + 1, runtime.calls.begin() + 11);
    EXPECT_EQ(building, (std::vector<std::string>{
                            "CreateRectRgn(0,0,0,0)=1", "CreateRectRgn(0,0,0,0)=2",
                            "CreatePolygonRgn(132,1)=3", "CombineRgn(1,3,3,5)", "DeleteObject(3)",
                            "CreatePolygonRgn(21,1)=4", "CombineRgn(2,1,1,5)",
                            "CombineRgn(1,2,4,4)", "DeleteObject(4)", "DeleteObject(2)"}));
    EXPECT_EQ(region, 1);
    EXPECT_EQ(form.windowRgn, 1);
    EXPECT_EQ(runtime.LiveRegions(), 4u) << "the window region and the three spots";
}

TEST_F(MakeRegionTest, AtDesignDensityFollowsTheOutlineAndCutsTheHole) {
    const app::HRGN region = load();
    ASSERT_EQ(runtime.polygons.size(), 2u);
    EXPECT_EQ(largest(runtime.polygons[0], &app::POINTAPI::x), 347);
    EXPECT_EQ(largest(runtime.polygons[0], &app::POINTAPI::y), 429);
    EXPECT_TRUE(runtime.Contains(region, 200, 200));
    EXPECT_TRUE(runtime.Contains(region, 100, 400));
    EXPECT_FALSE(runtime.Contains(region, 0, 0));
    for (int y = 65; y < 119; ++y) {
        for (int x = 279; x < 294; ++x) {
            EXPECT_TRUE(runtime.Contains(region, x, y)) << x << "," << y;
        }
    }
    for (const auto& [x, y] : {std::pair{330, 352}, {338, 346}, {334, 357}, {327, 355}}) {
        EXPECT_FALSE(runtime.Contains(region, x, y)) << "the hole " << x << "," << y;
    }
    for (int y = -1; y <= 21; ++y) {
        for (int x = 276; x <= 348; ++x) {
            ASSERT_FALSE(runtime.Contains(region, x, y)) << "the data control " << x << "," << y;
        }
    }
    for (int y = 393; y < 426; ++y) {
        for (int x = 4; x < 340; ++x) {
            ASSERT_TRUE(runtime.Contains(region, x, y)) << "the search box " << x << "," << y;
        }
    }
}

TEST_F(MakeRegionTest, TwelveTwipsPerPixelScalesBothPolygons) {
    runtime.twipsX = runtime.twipsY = 12.0f;
    load();
    ASSERT_EQ(runtime.polygons.size(), 2u);
    EXPECT_EQ(largest(runtime.polygons[0], &app::POINTAPI::x), 434) << "347 x 1.25 = 433.75";
    EXPECT_EQ(largest(runtime.polygons[0], &app::POINTAPI::y), 536) << "429 x 1.25 = 536.25";
    EXPECT_EQ(largest(runtime.polygons[1], &app::POINTAPI::x), 428) << "342 x 1.25 = 427.5";
}

TEST_F(MakeRegionTest, ErrorLeavesTheRegionsMadeSoFarAndAppliesNothing) {
    runtime.twipsX = 0.0f;
    EXPECT_THROW(form.Form_Load(), shape::RuntimeError);
    EXPECT_EQ(form.windowRgn, 1);
    EXPECT_EQ(runtime.LiveRegions(), 2u) << "the window and scratch regions stay";
    EXPECT_EQ(runtime.windowRegion, 0);
    EXPECT_EQ(form.closeRgn, 0);
}
