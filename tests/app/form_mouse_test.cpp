// The window's own presses and moves through a runtime that records the calls: the hot spots,
// their highlights, the about box and the drag, and the twips to pixel arithmetic of the hit
// tests.

#include "app/shaped_form.h"
#include "fake_runtime.h"
#include "shape/about_box.h"
#include "shape/runtime_error.h"

#include <gtest/gtest.h>

namespace {

// Window pixels: the centres of the three spots and a place on bare skin.
struct Pixel {
    int x, y;
};
constexpr Pixel kClose{286, 72};
constexpr Pixel kMinimise{286, 91};
constexpr Pixel kHelp{286, 111};
constexpr Pixel kBareSkin{60, 150};

const std::vector<std::string> kDrag = {"ReleaseCapture()", "hWnd", "SendMessageA(7,161,2,0)"};

// Only the calls that change something, not the hit tests.
std::vector<std::string> effects(const std::vector<std::string>& calls) {
    std::vector<std::string> kept;
    for (const std::string& call : calls) {
        if (call.rfind("PtInRegion", 0) != 0) {
            kept.push_back(call);
        }
    }
    return kept;
}

class FormMouseTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Form_Load();
        runtime.Take();
    }

    void press(float x, float y, std::int16_t button = 1) {
        std::int16_t shift = 0;
        form.Form_MouseDown(button, shift, x, y);
    }
    void press(Pixel at, std::int16_t button = 1) { press(at.x * 15.0f, at.y * 15.0f, button); }
    void move(float x, float y, std::int16_t button = 0) {
        std::int16_t shift = 0;
        form.Form_MouseMove(button, shift, x, y);
    }
    void move(Pixel at, std::int16_t button = 0) { move(at.x * 15.0f, at.y * 15.0f, button); }

    FakeRuntime runtime;
    ShapedForm form{runtime};
};

} // namespace

TEST_F(FormMouseTest, CloseSpotHidesShowsTheAboutBoxAndEnds) {
    for (const std::int16_t button : {1, 2, 4}) {
        EXPECT_THROW(press(kClose, button), ProgramEnded);
        EXPECT_EQ(
            effects(runtime.Take()),
            (std::vector<std::string>{
                "Hide()", "MsgBox(" + shape::AboutBoxText() + ",64," + shape::AboutBoxTitle() + ")",
                "End()"}))
            << "button " << button;
    }
}

TEST_F(FormMouseTest, AboutBoxHasSevenLinesEndedByCarriageReturns) {
    const std::string text = shape::AboutBoxText();
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 10);
    EXPECT_EQ(text.back(), '\r');
    EXPECT_EQ(shape::AboutBoxTitle(), "L'Orvane Zelkis");
}

TEST_F(FormMouseTest, MinimiseSpotMinimisesHidesItsHighlightAndStillDrags) {
    press(kMinimise);
    std::vector<std::string> expected = {"WindowState=1", "Picture3.Visible=0"};
    expected.insert(expected.end(), kDrag.begin(), kDrag.end());
    EXPECT_EQ(effects(runtime.Take()), expected);
}

TEST_F(FormMouseTest, HelpSpotAndBareSkinOnlyDrag) {
    press(kHelp);
    EXPECT_EQ(effects(runtime.Take()), kDrag);
    press(kBareSkin, 2);
    EXPECT_EQ(effects(runtime.Take()), kDrag);
    EXPECT_FALSE(runtime.hidden);
}

TEST_F(FormMouseTest, PressTestsTheCloseSpotThenTheMinimiseSpot) {
    press(kBareSkin);
    const std::vector<std::string> calls = runtime.Take();
    EXPECT_EQ(calls[0], "PtInRegion(5,60,150)");
    EXPECT_EQ(calls[1], "PtInRegion(6,60,150)");
}

TEST_F(FormMouseTest, MovesLightTheSpotUnderThePointer) {
    move(kClose);
    EXPECT_EQ(effects(runtime.Take()), std::vector<std::string>{"Picture2.Visible=1"});
    move(kMinimise);
    EXPECT_EQ(effects(runtime.Take()), std::vector<std::string>{"Picture3.Visible=1"});
    move(kHelp);
    EXPECT_EQ(effects(runtime.Take()), std::vector<std::string>{"Picture1.Visible=1"});
    move(kBareSkin);
    EXPECT_EQ(effects(runtime.Take()),
              (std::vector<std::string>{"Picture1.Visible=0", "Picture2.Visible=0",
                                        "Picture3.Visible=0"}));
}

TEST_F(FormMouseTest, MoveTestsHelpThenCloseThenMinimise) {
    move(kBareSkin);
    const std::vector<std::string> calls = runtime.Take();
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 3),
              (std::vector<std::string>{"PtInRegion(7,60,150)", "PtInRegion(5,60,150)",
                                        "PtInRegion(6,60,150)"}));
}

TEST_F(FormMouseTest, HelpSpotShowsTheOkBoxForTheLeftButtonAlone) {
    move(kHelp, 1);
    EXPECT_EQ(effects(runtime.Take()),
              (std::vector<std::string>{"Picture1.Visible=1", "MsgBox(ok,0,Orvane)"}));
    for (const std::int16_t buttons : {0, 2, 3, 4, 5}) {
        move(kHelp, buttons);
        EXPECT_EQ(effects(runtime.Take()), std::vector<std::string>{"Picture1.Visible=1"})
            << "buttons " << buttons;
    }
    move(kClose, 1);
    EXPECT_EQ(effects(runtime.Take()), std::vector<std::string>{"Picture2.Visible=1"});
}

TEST_F(FormMouseTest, TwipsRoundToNearestEvenThenDivideTowardZero) {
    const std::pair<float, int> cases[] = {
        {4192.5f, 279}, // ties go to the even 4192
        {4184.5f, 278}, // 4184.5 rounds down to 4184
        {4185.5f, 279}, // 4185.5 rounds up to 4186
        {-14.0f, 0},    // truncated toward zero, not down to -1
        {-15.5f, -1},   // rounds to -16
    };
    for (const auto& [twips, pixel] : cases) {
        move(twips, 0.0f);
        EXPECT_EQ(runtime.Take()[0], "PtInRegion(7," + std::to_string(pixel) + ",0)") << twips;
    }
}

TEST_F(FormMouseTest, DensityIsRoundedAndReadAfreshForEachTest) {
    runtime.twipsX = 14.5f; // rounds to the even 14
    runtime.twipsY = 15.5f; // rounds to the even 16
    move(160.0f, 160.0f);
    EXPECT_EQ(runtime.Take()[0], "PtInRegion(7,11,10)");
    runtime.twipsX = runtime.twipsY = 12.0f;
    move(286 * 12.0f, 72 * 12.0f);
    EXPECT_EQ(effects(runtime.Take()), std::vector<std::string>{"Picture2.Visible=1"})
        << "the spots stay on the painted buttons at 12 twips per pixel";
}

TEST_F(FormMouseTest, DensityRoundingToZeroOrPositionsBeyond32BitsAreRunTimeErrors) {
    runtime.twipsY = 0.5f;
    EXPECT_THROW(move(kClose), shape::RuntimeError);
    runtime.twipsY = 15.0f;
    EXPECT_THROW(press(3.0e9f, 0.0f), shape::RuntimeError);
    EXPECT_TRUE(effects(runtime.Take()).empty()) << "nothing happens before the error";
}
