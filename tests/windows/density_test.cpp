// The window at the screen's density: skin pixels grow with the scale, and mouse positions in
// twips lead the hot spots' test back to the very pixel under the pointer.

#include "windows/device_scale.h"
#include "windows/mouse_args.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(DeviceScaleTest, DesignDensityKeepsSkinPixels) {
    const win::DeviceScale scale(96);
    EXPECT_FLOAT_EQ(scale.TwipsPerPixel(), 15.0f);
    EXPECT_EQ(scale.ToScreen(347), 347);
    const RECT box = scale.ToScreen(121, 266, 24, 19);
    EXPECT_EQ(box.left, 121);
    EXPECT_EQ(box.right, 145);
    EXPECT_EQ(box.bottom, 285);
}

TEST(DeviceScaleTest, DenserScreensScaleLikeTheWindowRegion) {
    // The outline's vertices round to the nearest, ties to even: so do the skin and controls.
    const win::DeviceScale at125(120);
    EXPECT_FLOAT_EQ(at125.TwipsPerPixel(), 12.0f);
    EXPECT_EQ(at125.ToScreen(347), 434);                 // 433.75
    EXPECT_EQ(at125.ToScreen(429), 536);                 // 536.25
    EXPECT_EQ(at125.ToScreen(2), 2);                     // 2.5, tie to even
    EXPECT_EQ(win::DeviceScale(144).ToScreen(279), 418); // 418.5, tie to even
    EXPECT_EQ(win::DeviceScale(192).ToScreen(279), 558);
}

TEST(DeviceScaleTest, NeighbouringBoxesStayNeighboursAtEveryScale) {
    for (const int dotsPerInch : {96, 120, 144, 168, 192}) {
        const win::DeviceScale scale(dotsPerInch);
        const RECT upper = scale.ToScreen(279, 65, 16, 16);
        const RECT lower = scale.ToScreen(279, 81, 16, 3);
        EXPECT_EQ(upper.bottom, lower.top) << dotsPerInch;
    }
}

TEST(DeviceScaleTest, FontsGrowWithTheDensity) {
    EXPECT_EQ(win::DeviceScale(96).FontHeight(8.25), -11);
    EXPECT_EQ(win::DeviceScale(144).FontHeight(8.25), -16); // 16.5, tie to even
    EXPECT_EQ(win::DeviceScale(96).FontHeight(13.5), -18);
    EXPECT_EQ(win::DeviceScale(192).FontHeight(9.75), -26);
}

TEST(DeviceScaleTest, AScreenThatTellsNoDensityIsTakenAtTheDesignOne) {
    EXPECT_EQ(win::DeviceScale(0).DotsPerInch(), 96);
}

// The hot spots' test: rounded twips divided by the rounded twips per pixel, truncating.
int pixelOfTwips(float twips, float twipsPerPixel) {
    return static_cast<int>(std::nearbyint(twips)) /
           static_cast<int>(std::nearbyint(twipsPerPixel));
}

TEST(MouseArgsTest, TwipsLeadBackToThePixelUnderThePointerAtEveryDensity) {
    for (const int dotsPerInch : {96, 120, 144, 192}) {
        const float twipsPerPixel = win::DeviceScale(dotsPerInch).TwipsPerPixel();
        for (const int pixel : {-3, 0, 1, 286, 418, 571, 859}) {
            EXPECT_EQ(pixelOfTwips(win::PixelToTwips(pixel, twipsPerPixel), twipsPerPixel), pixel)
                << dotsPerInch << " " << pixel;
        }
    }
}

TEST(MouseArgsTest, PressesNameTheirButton) {
    EXPECT_EQ(win::PressedButton(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(win::PressedButton(WM_RBUTTONDOWN), 2);
    EXPECT_EQ(win::PressedButton(WM_MBUTTONDOWN), 4);
    EXPECT_EQ(win::PressedButton(WM_LBUTTONDBLCLK), 0);
}

TEST(MouseArgsTest, MovesCarryEveryHeldButton) {
    EXPECT_EQ(win::HeldButtons(0), 0);
    EXPECT_EQ(win::HeldButtons(MK_LBUTTON), 1);
    EXPECT_EQ(win::HeldButtons(MK_LBUTTON | MK_RBUTTON), 3);
    EXPECT_EQ(win::HeldButtons(MK_MBUTTON | MK_SHIFT), 4);
}

TEST(MouseArgsTest, ShiftStateHoldsShiftCtrlAndAlt) {
    EXPECT_EQ(win::ShiftState(MK_LBUTTON, false), 0);
    EXPECT_EQ(win::ShiftState(MK_SHIFT, false), 1);
    EXPECT_EQ(win::ShiftState(MK_CONTROL, false), 2);
    EXPECT_EQ(win::ShiftState(MK_SHIFT | MK_CONTROL, true), 7);
}

TEST(MouseArgsTest, APressAtTheCloseSpotsCentreGivesItsTwips) {
    const win::MouseArgs args =
        win::PressArgs(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(286, 72), 15.0f);
    EXPECT_EQ(args.button, 2);
    EXPECT_FLOAT_EQ(args.x, 4290.0f);
    EXPECT_FLOAT_EQ(args.y, 1080.0f);
}

TEST(MouseArgsTest, PositionsLeftOrAboveTheWindowAreNegative) {
    const win::MouseArgs args = win::MoveArgs(0, MAKELPARAM(-2, -1), 15.0f);
    EXPECT_FLOAT_EQ(args.x, -30.0f);
    EXPECT_FLOAT_EQ(args.y, -15.0f);
}

} // namespace
