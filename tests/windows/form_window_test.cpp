// The window and its controls as Windows makes them, at the design density and at 150 %.

#include "shape/device_geometry.h"
#include "windows/control_ids.h"
#include "windows/form_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

RECT childRect(HWND child) {
    RECT box;
    GetWindowRect(child, &box);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&box), 2);
    return box;
}

std::wstring windowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::wstring className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

bool visible(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

void expectAt(HWND child, const shape::Box& box, double scale) {
    const RECT at = childRect(child);
    EXPECT_EQ(at.left, int(std::nearbyint(box.left * scale)));
    EXPECT_EQ(at.top, int(std::nearbyint(box.top * scale)));
    EXPECT_EQ(at.right, int(std::nearbyint(box.right() * scale)));
    EXPECT_EQ(at.bottom, int(std::nearbyint(box.bottom() * scale)));
}

class FormWindowTest : public testing::TestWithParam<int> {
protected:
    win::FormWindow form{win::DeviceScale(GetParam())};
    double scale = GetParam() / 96.0;
};

TEST_P(FormWindowTest, IsAFramelessPopupOfTheClientSizeCreatedHidden) {
    const HWND window = form.Handle();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(windowText(window), L"Orvane Zelkis");
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER));
    EXPECT_FALSE(visible(window));
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, int(std::nearbyint(347 * scale)));
    EXPECT_EQ(client.bottom, int(std::nearbyint(429 * scale)));
}

TEST_P(FormWindowTest, ControlsStandOnTheSkinAtTheScreensScale) {
    expectAt(form.Picture1().Handle(), shape::kHelpHighlight, scale);
    expectAt(form.Picture2().Handle(), shape::kCloseHighlight, scale);
    expectAt(form.Picture3().Handle(), shape::kMinimiseHighlight, scale);
    expectAt(form.Picture4().Handle(), shape::kPreviousArrow, scale);
    expectAt(form.Picture5().Handle(), shape::kNextArrow, scale);
    expectAt(form.Text1().Handle(), shape::kSearchBox, scale);
    expectAt(form.Label4().Handle(), shape::kCounterLabel, scale);
    expectAt(form.Label5().Handle(), shape::kCdLabel, scale);
    expectAt(form.Label6().Handle(), shape::kNomLabel, scale);
    expectAt(form.Label8().Handle(), shape::kDescriptionLabel, scale);
}

TEST_P(FormWindowTest, PicturesStartHiddenAndOnlyTheArrowsTakeTheMouse) {
    for (win::PictureBox* box : {&form.Picture1(), &form.Picture2(), &form.Picture3()}) {
        EXPECT_FALSE(box->Visible());
        EXPECT_FALSE(IsWindowEnabled(box->Handle()));
        // The window beneath gets the mouse over a disabled highlight.
        EXPECT_EQ(SendMessageW(box->Handle(), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    }
    for (win::PictureBox* box : {&form.Picture4(), &form.Picture5()}) {
        EXPECT_FALSE(box->Visible());
        EXPECT_TRUE(IsWindowEnabled(box->Handle()));
        EXPECT_NE(SendMessageW(box->Handle(), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    }
}

TEST_P(FormWindowTest, EachControlIsKnownOutsideByItsNumber) {
    const HWND window = form.Handle();
    EXPECT_EQ(GetDlgItem(window, win::kText1), form.Text1().Handle());
    EXPECT_EQ(GetDlgItem(window, win::kLabel4), form.Label4().Handle());
    EXPECT_EQ(GetDlgItem(window, win::kLabel5), form.Label5().Handle());
    EXPECT_EQ(GetDlgItem(window, win::kLabel6), form.Label6().Handle());
    EXPECT_EQ(GetDlgItem(window, win::kLabel8), form.Label8().Handle());
    EXPECT_EQ(GetDlgItem(window, win::kPicture1), form.Picture1().Handle());
    EXPECT_EQ(GetDlgItem(window, win::kPicture5), form.Picture5().Handle());
}

TEST_P(FormWindowTest, ArrowsAreNamedForScreenReaders) {
    EXPECT_EQ(windowText(form.Picture4().Handle()), L"Fiche précédente");
    EXPECT_EQ(windowText(form.Picture5().Handle()), L"Fiche suivante");
    EXPECT_EQ(windowText(form.Picture1().Handle()), L"Aide");
}

TEST_P(FormWindowTest, LabelsAreStaticTextsWhoseWindowTextIsTheCaption) {
    win::CaptionLabel& label = form.Label8();
    EXPECT_EQ(className(label.Handle()), L"Static");
    EXPECT_EQ(windowText(label.Handle()), L"");
    label.SetCaption(L"Un jeu de l'oie\r\rpour toute la famille");
    EXPECT_EQ(windowText(label.Handle()), L"Un jeu de l'oie\r\rpour toute la famille");
    EXPECT_EQ(label.Caption(), L"Un jeu de l'oie\r\rpour toute la famille");
    // A label keeps the mouse over its rectangle: a press there never reaches the window.
    EXPECT_EQ(SendMessageW(label.Handle(), WM_NCHITTEST, 0, 0), HTCLIENT);
}

TEST_P(FormWindowTest, SearchFieldIsAnEditBoxWithoutLengthLimit) {
    const HWND edit = form.Text1().Handle();
    EXPECT_EQ(className(edit), L"Edit");
    EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_CENTER);
    EXPECT_GT(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 1'000'000);
    SetWindowTextW(edit, L"déjà");
    EXPECT_EQ(form.Text1().Text(), L"déjà");
}

TEST_P(FormWindowTest, KeyDownsInTheSearchFieldReachTheirHandlerWithTheirCode) {
    std::vector<int> codes;
    win::FormEvents events;
    events.searchKeyDown = [&codes](std::int16_t keyCode, std::int16_t) {
        codes.push_back(keyCode);
    };
    form.SetEvents(std::move(events));
    SendMessageW(form.Text1().Handle(), WM_KEYDOWN, 'J', 0);
    SendMessageW(form.Text1().Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(codes, (std::vector<int>{'J', 13}));
}

TEST_P(FormWindowTest, TabWalksTheSearchFieldAndTheShownArrowsOnly) {
    ShowWindow(form.Handle(), SW_SHOWNA);
    form.Picture5().SetVisible(true);
    SetFocus(form.Text1().Handle());
    SendMessageW(form.Text1().Handle(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), form.Picture5().Handle()) << "the hidden left arrow is passed over";
    SendMessageW(form.Picture5().Handle(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), form.Text1().Handle());
}

TEST_P(FormWindowTest, ArrowPressesAndWindowPressesGoToTheirOwnHandlers) {
    std::vector<std::string> seen;
    win::FormEvents events;
    events.previousArrowDown = [&seen](win::MouseArgs& a) {
        seen.push_back("Picture4 " + std::to_string(a.button));
    };
    events.nextArrowDown = [&seen](win::MouseArgs& a) {
        seen.push_back("Picture5 " + std::to_string(a.button));
    };
    events.mouseDown = [&seen](win::MouseArgs& a) {
        seen.push_back("Form " + std::to_string(a.button));
    };
    form.SetEvents(std::move(events));
    SendMessageW(form.Picture4().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(form.Picture5().Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
    // The second press of a double click is not a press.
    SendMessageW(form.Picture5().Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(form.Handle(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(seen, (std::vector<std::string>{"Picture4 1", "Picture5 2", "Form 4"}));
}

TEST_P(FormWindowTest, TheSystemsCloseRunsTheUnloadAndClosesTheWindow) {
    int unloads = 0;
    win::FormEvents events;
    events.unload = [&unloads](std::int16_t& cancel) {
        ++unloads;
        EXPECT_EQ(cancel, 0);
    };
    form.SetEvents(std::move(events));
    SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(unloads, 1);
    EXPECT_FALSE(IsWindow(form.Handle()));
    // The window's end ends the program's message loop.
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

INSTANTIATE_TEST_SUITE_P(AtDensities, FormWindowTest, testing::Values(96, 144),
                         [](const testing::TestParamInfo<int>& density) {
                             return "Dpi" + std::to_string(density.param);
                         });

} // namespace
