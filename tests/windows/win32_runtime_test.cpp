// The window's operations' calls made for real on a Windows window: regions, controls and the
// density.

#include "windows/win32_runtime.h"

#include <gtest/gtest.h>

namespace {

class Win32RuntimeTest : public testing::Test {
protected:
    win::FormWindow form{win::DeviceScale(96)};
    win::Win32Runtime runtime{form, false};
};

TEST_F(Win32RuntimeTest, ThePolygonMinusItsHoleIsCutFromTheWindow) {
    const app::POINTAPI outer[] = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    const app::POINTAPI hole[] = {{40, 40}, {60, 40}, {60, 60}, {40, 60}};
    const app::HRGN shape = runtime.CreateRectRgn(0, 0, 0, 0);
    const app::HRGN outerRegion = runtime.CreatePolygonRgn(outer, 4, app::kAlternate);
    const app::HRGN holeRegion = runtime.CreatePolygonRgn(hole, 4, app::kAlternate);
    ASSERT_NE(shape, 0);
    EXPECT_NE(runtime.CombineRgn(shape, outerRegion, holeRegion, app::kRgnDiff), 0);
    EXPECT_NE(runtime.PtInRegion(shape, 10, 10), 0);
    EXPECT_EQ(runtime.PtInRegion(shape, 50, 50), 0);
    EXPECT_EQ(runtime.PtInRegion(shape, 120, 10), 0);

    EXPECT_NE(runtime.SetWindowRgn(runtime.hWnd(), shape, -1), 0);
    const HRGN applied = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(form.Handle(), applied), ERROR);
    EXPECT_TRUE(PtInRegion(applied, 10, 10));
    EXPECT_FALSE(PtInRegion(applied, 50, 50));
    DeleteObject(applied);
    EXPECT_NE(runtime.DeleteObject(outerRegion), 0);
    EXPECT_NE(runtime.DeleteObject(holeRegion), 0);
}

TEST_F(Win32RuntimeTest, AFailedRegionIsHandleZeroAndContainsNoPoint) {
    EXPECT_EQ(runtime.PtInRegion(0, 0, 0), 0);
    EXPECT_EQ(runtime.CombineRgn(0, 0, 0, app::kRgnCopy), 0);
}

TEST_F(Win32RuntimeTest, TheWindowHandleIsTheRealWindow) {
    EXPECT_EQ(reinterpret_cast<HWND>(static_cast<std::intptr_t>(runtime.hWnd())), form.Handle());
}

TEST_F(Win32RuntimeTest, CaptionsAndTheSearchTextCrossAsUtf8) {
    runtime.SetCaption(app::Label::Label6, "Jeu de l'oie « édition 2000 »");
    EXPECT_EQ(runtime.Caption(app::Label::Label6), "Jeu de l'oie « édition 2000 »");
    EXPECT_EQ(form.Label6().Caption(), L"Jeu de l'oie « édition 2000 »");
    EXPECT_EQ(runtime.Caption(app::Label::Label4), "");
    SetWindowTextW(form.Text1().Handle(), L"écran");
    EXPECT_EQ(runtime.Text1Text(), "écran");
}

TEST_F(Win32RuntimeTest, VisibleShowsAndHidesEachPictureAlone) {
    runtime.SetVisible(app::Picture::Picture5, true);
    EXPECT_TRUE(runtime.Visible(app::Picture::Picture5));
    EXPECT_TRUE(form.Picture5().Visible());
    EXPECT_FALSE(runtime.Visible(app::Picture::Picture4));
    EXPECT_FALSE(runtime.Visible(app::Picture::Picture1));
    runtime.SetVisible(app::Picture::Picture5, false);
    EXPECT_FALSE(form.Picture5().Visible());
}

TEST_F(Win32RuntimeTest, TwipsPerPixelFollowTheScreensDensity) {
    HDC screen = GetDC(nullptr);
    const float expectedX = 1440.0f / float(GetDeviceCaps(screen, LOGPIXELSX));
    const float expectedY = 1440.0f / float(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    EXPECT_FLOAT_EQ(runtime.TwipsPerPixelX(), expectedX);
    EXPECT_FLOAT_EQ(runtime.TwipsPerPixelY(), expectedY);
}

TEST_F(Win32RuntimeTest, ThePointerIsKeptForTheWindowAndItsControls) {
    runtime.SetMousePointer(app::vbHourglass);
    EXPECT_EQ(form.Pointer(), app::vbHourglass);
    runtime.SetMousePointer(app::vbDefault);
    EXPECT_EQ(form.Pointer(), app::vbDefault);
}

TEST_F(Win32RuntimeTest, ThePumpHandlesWaitingMessagesAndLeavesTheQuitForTheLoop) {
    int moves = 0;
    win::FormEvents events;
    events.mouseMove = [&moves](win::MouseArgs&) { ++moves; };
    form.SetEvents(std::move(events));
    PostMessageW(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    PostQuitMessage(3);
    runtime.DoEvents();
    EXPECT_EQ(moves, 1);
    MSG quit;
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 3u);
}

class ScaledRuntimeTest : public testing::Test {
protected:
    win::FormWindow form{win::DeviceScale(144)};
    win::Win32Runtime runtime{form, false};
};

TEST_F(ScaledRuntimeTest, HotSpotsGrowWithTheSkinSoTheyStayOnTheirButtons) {
    // The close spot's box (279, 65)-(294, 80) drawn at 150 %.
    const app::HRGN spot = runtime.CreateEllipticRgn(279, 65, 294, 80);
    EXPECT_NE(runtime.PtInRegion(spot, 429, 108), 0); // the button's centre, 286.5 x 1.5
    EXPECT_EQ(runtime.PtInRegion(spot, 286, 72), 0);  // the centre at 100 % lies off it
    EXPECT_EQ(runtime.PtInRegion(spot, 419, 98), 0);  // the box's corner is outside the disc
    runtime.DeleteObject(spot);
}

TEST(PreviousCopyTest, TheMarkIsTakenOnceAndSeenByLaterCopies) {
    // This test program holds the mark once it asks; a second ask in the same process is
    // what a second copy would see.
    win::AnotherCopyRuns();
    EXPECT_TRUE(win::AnotherCopyRuns());
}

} // namespace
