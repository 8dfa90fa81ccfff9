// The window's own mouse events driven through Qt's real event delivery: which control a press
// or move belongs to, the hover highlights, the close and minimise spots, and dragging.

#include "form_test.h"

#include "linux/caption_drag.h"
#include "linux/caption_label.h"
#include "linux/device_rects.h"
#include "linux/message_box.h"
#include "linux/search_box.h"
#include "linux/skin_picture.h"
#include "shape/about_box.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace platform;
using namespace app;

namespace {

// Centres of the three round spots, and places that belong to no control, in window pixels.
constexpr QPoint kClose = ui::RectOf(shape::kCloseSpot).center();
constexpr QPoint kMinimise = ui::RectOf(shape::kMinimiseSpot).center();
constexpr QPoint kHelp = ui::RectOf(shape::kHelpSpot).center();
constexpr QPoint kGapBelowClose(286, 82);
constexpr QPoint kBareSkin(60, 150);

// Counts the close requests a window receives; a close request is what runs the unload step.
class CloseCounter : public QObject {
public:
    int closes = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Close) {
            ++closes;
        }
        return false;
    }
};

class FormMouseTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        SetCaptionDragHandler([this](QWidget* window) { drags.push_back(window); });
        openForm();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    void TearDown() override {
        SetCaptionDragHandler({});
        FormTest::TearDown();
    }

    // Mouse input as the windowing system delivers it: Qt decides which widget gets it.
    QWindow* window() const { return form->windowHandle(); }
    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(window(), button, {}, at);
    }
    void release(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(window(), button, {}, at);
    }
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        press(at, button);
        release(at, button);
    }
    void moveTo(QPoint at) { QTest::mouseMove(window(), at); }

    // Which of Picture1 (help), Picture2 (close), Picture3 (minimise) are lit, as "123".
    std::string lit() const {
        std::string shown;
        for (const auto& [digit, picture] :
             {std::pair{'1', form->Picture1}, {'2', form->Picture2}, {'3', form->Picture3}}) {
            if (picture->isVisible()) {
                shown += digit;
            }
        }
        return shown;
    }

    std::vector<QWidget*> drags;
};

QPoint centreOf(const QWidget* control) {
    return control->geometry().center();
}

} // namespace

TEST_F(FormMouseTest, LabelsAndSearchBoxKeepTheirPresses) {
    const std::pair<const char*, QWidget*> controls[] = {
        {"Label4", form->Label4}, {"Label5", form->Label5}, {"Label6", form->Label6},
        {"Label8", form->Label8}, {"Text1", form->Text1},
    };
    for (const auto& [name, control] : controls) {
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            const QRect box = control->geometry();
            // Corners too: a label takes the mouse over its whole rectangle, text or not.
            for (QPoint at : {box.center(), box.topLeft(), box.bottomRight()}) {
                click(at, button);
                if (QWidget* menu = QApplication::activePopupWidget()) {
                    menu->close(); // the search box's own menu
                }
            }
        }
        EXPECT_TRUE(drags.empty()) << name << " let a press through to the window";
    }
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(lit(), "");
    EXPECT_FALSE(form->isMinimized());

    // Just beside a label the skin is bare again and a press drags the window.
    click(form->Label6->geometry().topLeft() - QPoint(3, 0));
    click(form->Label8->geometry().bottomRight() + QPoint(0, 2));
    EXPECT_EQ(drags.size(), 2u);
}

TEST_F(FormMouseTest, PressesOverHighlightsAndHiddenArrowsAreTheWindows) {
    // A lit highlight is disabled: the press under it still reaches the spot.
    moveTo(kHelp);
    ASSERT_EQ(lit(), "1");
    click(kHelp);
    EXPECT_EQ(drags.size(), 1u) << "help spot under its lit highlight";
    EXPECT_EQ(lit(), "1");

    // Where a hidden arrow lies, the press is the window's; a shown arrow keeps its own.
    ASSERT_FALSE(form->Picture4->isVisible());
    click(centreOf(form->Picture4), Qt::RightButton);
    click(centreOf(form->Picture5));
    click(kBareSkin, Qt::MiddleButton);
    EXPECT_EQ(drags.size(), 4u) << "every button's press drags";
    EXPECT_TRUE(boxes.empty());
    for (QWidget* window : drags) {
        EXPECT_EQ(window, form.get());
    }

    form->Picture5->show();
    click(centreOf(form->Picture5));
    EXPECT_EQ(drags.size(), 4u) << "a shown arrow took the press";
}

TEST_F(FormMouseTest, MovesLightTheSpotUnderThePointer) {
    moveTo(kHelp);
    EXPECT_EQ(lit(), "1");
    moveTo(kGapBelowClose);
    EXPECT_EQ(lit(), "");
    moveTo(kClose);
    EXPECT_EQ(lit(), "2");
    moveTo(kClose + QPoint(3, 3));
    EXPECT_EQ(lit(), "2") << "another move in the same spot";
    moveTo(QPoint(286, 101)); // between minimise and help
    EXPECT_EQ(lit(), "");
    moveTo(kMinimise);
    EXPECT_EQ(lit(), "3");
    moveTo(QPoint(279, 84)); // the minimise box's corner lies outside its circle
    EXPECT_EQ(lit(), "");

    // Straight from one spot to another in a single move: nothing hides the first.
    moveTo(kHelp);
    moveTo(kClose);
    moveTo(kMinimise);
    EXPECT_EQ(lit(), "123");
    moveTo(kBareSkin);
    EXPECT_EQ(lit(), "");
    EXPECT_TRUE(boxes.empty());
}

// The window sees no more moves once the pointer is off it or on a control, so both put every
// highlight out.
TEST_F(FormMouseTest, LeavingTheWindowOrLandingOnAControlHidesEveryHighlight) {
    moveTo(kHelp);
    moveTo(kClose);
    moveTo(kMinimise);
    ASSERT_EQ(lit(), "123");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(form.get(), &leave);
    EXPECT_EQ(lit(), "");

    form->Picture4->show();
    const std::pair<const char*, QWidget*> controls[] = {
        {"Label4", form->Label4}, {"Label5", form->Label5},     {"Label6", form->Label6},
        {"Label8", form->Label8}, {"Picture4", form->Picture4}, {"Text1", form->Text1},
    };
    for (const auto& [name, control] : controls) {
        moveTo(kHelp);
        moveTo(kClose);
        ASSERT_EQ(lit(), "12");
        moveTo(centreOf(control));
        EXPECT_EQ(lit(), "") << "straight from two lit spots onto " << name;
        moveTo(centreOf(control) + QPoint(1, 1));
        EXPECT_EQ(lit(), "") << "a move on " << name;
    }
    EXPECT_TRUE(drags.empty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FormMouseTest, OkBoxOnlyWhileExactlyTheLeftButtonIsHeldOverHelp) {
    // The button held when the press began drags (here only recorded); moves that follow
    // carry the buttons still held.
    press(kBareSkin);
    moveTo(kHelp);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].prompt, QStringLiteral("ok"));
    EXPECT_EQ(boxes[0].style, vbOKOnly) << "OK only, no icon";
    EXPECT_EQ(boxes[0].title, QStringLiteral("Orvane")) << "the application's title";
    EXPECT_EQ(lit(), "1");

    for (Qt::MouseButton second : {Qt::RightButton, Qt::MiddleButton}) {
        press(kHelp, second);
        moveTo(kHelp + QPoint(1, 0));
        release(kHelp, second);
    }
    EXPECT_EQ(boxes.size(), 1u) << "another button held as well";

    moveTo(kClose);
    EXPECT_EQ(boxes.size(), 1u) << "left held over the close spot";
    release(kClose);
    moveTo(kHelp);
    EXPECT_EQ(boxes.size(), 1u) << "no button held";
    EXPECT_EQ(lit(), "12");
}

TEST_F(FormMouseTest, SecondPressOfADoubleClickRunsNothing) {
    QTest::mouseDClick(window(), Qt::LeftButton, {}, kBareSkin);
    EXPECT_EQ(drags.size(), 1u);
    moveTo(kMinimise);
    QTest::mouseDClick(window(), Qt::LeftButton, {}, kMinimise);
    EXPECT_EQ(drags.size(), 2u);
    EXPECT_TRUE(form->isMinimized());
}

TEST_F(FormMouseTest, MinimiseSpotMinimisesHidesItsHighlightAndStillDrags) {
    moveTo(kHelp);
    moveTo(kMinimise);
    ASSERT_EQ(lit(), "13");
    click(kMinimise);
    EXPECT_TRUE(form->windowState().testFlag(Qt::WindowMinimized));
    EXPECT_FALSE(form->Picture3->isVisibleTo(form.get()));
    EXPECT_TRUE(form->Picture1->isVisibleTo(form.get())) << "only the minimise highlight goes";
    EXPECT_EQ(drags.size(), 1u);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ends, 0);
}

TEST_F(FormMouseTest, CloseSpotHidesShowsTheAboutBoxAndEndsWithoutUnloading) {
    CloseCounter closes;
    form->installEventFilter(&closes);
    std::int16_t button = 2, shift = 0;
    float x = 4290.0f, y = 1080.0f;

    EXPECT_THROW(form->form().Form_MouseDown(button, shift, x, y), ProgramEnded);

    EXPECT_FALSE(form->isVisible());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, QStringLiteral("L'Orvane Zelkis"));
    EXPECT_EQ(boxes[0].style, 64) << "information icon, OK only";
    EXPECT_EQ(boxes[0].prompt, QString::fromStdString(shape::AboutBoxText()));
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(closes.closes, 0) << "the unload step ran";
    EXPECT_TRUE(drags.empty()) << "nothing runs after the ending";
}

TEST_F(FormMouseTest, AboutBoxTextHasSevenLinesWithCarriageReturns) {
    const QString text = QString::fromStdString(shape::AboutBoxText());
    EXPECT_FALSE(text.contains(u'\n'));
    const QStringList parts = text.split(u'\r');
    // Three lines each followed by an empty one, four plain lines, and the final return.
    ASSERT_EQ(parts.size(), 11);
    for (int i : {1, 3, 5, 10}) {
        EXPECT_TRUE(parts[i].isEmpty()) << i;
    }
    for (int i : {0, 2, 4, 6, 7, 8, 9}) {
        EXPECT_FALSE(parts[i].trimmed().isEmpty()) << i;
    }
    EXPECT_TRUE(parts[0].contains(QStringLiteral("2000"))) << "the credits line comes first";
}

TEST_F(FormMouseTest, RealBoxesShowLineBreaksIconsAndOnlyAnOkButton) {
    SetMessageBoxHandler({});
    struct Seen {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
    };
    std::vector<Seen> seen;
    const auto answerNextBox = [&seen] {
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen.push_back({box->windowTitle(), box->text(), box->icon(),
                            int(box->findChildren<QPushButton*>().size())});
            box->button(QMessageBox::Ok)->click();
        });
    };

    answerNextBox();
    std::int16_t button = 1, shift = 0;
    float x = 4290.0f, y = 1080.0f;
    EXPECT_THROW(form->form().Form_MouseDown(button, shift, x, y), ProgramEnded);

    form->show();
    answerNextBox();
    x = 286 * 15.0f;
    y = 111 * 15.0f;
    form->form().Form_MouseMove(button, shift, x, y);

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].title, QStringLiteral("L'Orvane Zelkis"));
    EXPECT_EQ(seen[0].icon, QMessageBox::Information);
    EXPECT_EQ(seen[0].buttons, 1);
    EXPECT_EQ(seen[0].text.count(u'\n'), 10) << "each carriage return breaks a line";
    EXPECT_FALSE(seen[0].text.contains(u'\r'));
    EXPECT_EQ(seen[1].title, QStringLiteral("Orvane"));
    EXPECT_EQ(seen[1].text, QStringLiteral("ok"));
    EXPECT_EQ(seen[1].icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen[1].buttons, 1);
}

// Without a window manager's move (as here, on the offscreen platform) the window follows the
// pointer itself while the left button is held.
TEST_F(FormMouseTest, WithoutASystemMoveTheWindowFollowsThePointer) {
    SetCaptionDragHandler({});
    const QPoint start = form->pos();
    QCursor::setPos(form->mapToGlobal(kBareSkin));
    press(kBareSkin);
    moveTo(kBareSkin + QPoint(30, 20));
    EXPECT_EQ(form->pos(), start + QPoint(30, 20));
    release(kBareSkin + QPoint(30, 20));
    const QPoint dropped = form->pos();
    moveTo(kBareSkin + QPoint(50, 50));
    EXPECT_EQ(form->pos(), dropped) << "the move ends with the release";

    // A press released where it began leaves the window in place; so does a right press.
    QCursor::setPos(form->mapToGlobal(kBareSkin));
    click(kBareSkin);
    QCursor::setPos(form->mapToGlobal(kBareSkin));
    press(kBareSkin, Qt::RightButton);
    moveTo(kBareSkin + QPoint(40, 40));
    release(kBareSkin + QPoint(40, 40), Qt::RightButton);
    EXPECT_EQ(form->pos(), dropped);

    // A press on a label never moves the window.
    QCursor::setPos(form->mapToGlobal(centreOf(form->Label8)));
    press(centreOf(form->Label8));
    moveTo(centreOf(form->Label8) + QPoint(30, 20));
    release(centreOf(form->Label8) + QPoint(30, 20));
    EXPECT_EQ(form->pos(), dropped);
}
