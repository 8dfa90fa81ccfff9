// The search field's focus and scrolling, the Tab order, and long captions in the labels.

#include "form_test.h"
#include "linux/caption_label.h"
#include "linux/search_box.h"
#include "linux/skin_picture.h"

#include <QTest>

namespace {

class TextAndFocusTest : public FormTest {
protected:
    // Opens the window as start-up does and lets the platform activate it.
    ui::FormWindow& openActiveForm() {
        ui::FormWindow& window = openForm();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        return window;
    }
};

// The rows of an image in which any pixel differs from the same place of another image.
int differingPixels(const QImage& a, const QImage& b, QRect area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        }
    }
    return count;
}

QImage rendering(QWidget& window) {
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST_F(TextAndFocusTest, SearchFieldHoldsTheFocusWhenTheWindowOpens) {
    ui::FormWindow& window = openActiveForm();
    EXPECT_EQ(QApplication::focusWidget(), window.Text1);
    EXPECT_TRUE(window.Text1->hasFocus());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("jeu"));
    EXPECT_EQ(window.Text1->text(), QStringLiteral("jeu"));
}

// Labels and disabled highlights take no focus: Tab moves between the field and the arrows
// that are shown.
TEST_F(TextAndFocusTest, TabMovesAmongSearchFieldAndShownArrows) {
    ui::FormWindow& window = openActiveForm();
    QTest::keyClick(window.Text1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.Text1) << "no arrow shown";

    window.Picture4->show();
    window.Picture5->show();
    QTest::keyClick(window.Text1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.Picture4);
    QTest::keyClick(window.Picture4, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.Picture5);
    QTest::keyClick(window.Picture5, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.Text1);

    window.Picture4->hide();
    QTest::keyClick(window.Text1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.Picture5);
}

// Text wider than the field scrolls inside it; the field keeps its box and takes any length.
TEST_F(TextAndFocusTest, LongTextScrollsInsideTheFieldWhichNeverGrows) {
    ui::FormWindow& window = openActiveForm();
    ui::SearchBox* field = window.Text1;
    const QRect box = field->geometry();
    const QString typed(60, u'W');
    QTest::keyClicks(field, typed);
    EXPECT_EQ(field->text(), typed);
    EXPECT_EQ(field->geometry(), box);
    EXPECT_EQ(window.size(), QSize(347, 429));
    EXPECT_GT(field->fontMetrics().horizontalAdvance(typed), field->width());
    // Once painted, the cursor at the end of the text is still inside the field: the text
    // scrolled.
    field->repaint();
    EXPECT_EQ(field->cursorPosition(), typed.size());
    const QRect cursor = field->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_TRUE(field->rect().contains(cursor.center())) << "cursor at x " << cursor.center().x();

    const QString huge(100000, u'x');
    field->setText(huge);
    EXPECT_EQ(field->text().size(), huge.size()) << "the field cut the text";
    EXPECT_EQ(field->geometry(), box);
}

TEST_F(TextAndFocusTest, LongDescriptionWrapsInsideLabel8AndIsCutAtItsLowerEdge) {
    ui::FormWindow& window = openForm();
    const QImage bare = rendering(window);
    QStringList words;
    for (int i = 0; i < 200; ++i) {
        words << QStringLiteral("description%1").arg(i % 7);
    }
    window.Label8->setCaption(words.join(u' '));
    const QImage written = rendering(window);

    const QRect box = window.Label8->geometry();
    // Text on every band of the box, down to its last rows: the caption wrapped into lines.
    for (int band = 0; band < box.height() - 12; band += 12) {
        EXPECT_GT(differingPixels(bare, written, {box.left(), box.top() + band, box.width(), 12}),
                  0)
            << "nothing drawn at rows " << band << ".." << band + 11;
    }
    // Nothing beyond the box: the rest of the screen around it is untouched.
    const QRect screen(102, 63, 160, 200);
    int outside = 0;
    for (const QRect& strip : QRegion(screen).subtracted(QRegion(box))) {
        outside += differingPixels(bare, written, strip);
    }
    EXPECT_EQ(outside, 0) << "the caption spilled out of Label8";
}

TEST_F(TextAndFocusTest, ShortCaptionIsCentredOnItsLine) {
    ui::FormWindow& window = openForm();
    const QImage bare = rendering(window);
    window.Label6->setCaption(QStringLiteral("Nom"));
    const QImage written = rendering(window);
    const QRect box = window.Label6->geometry();
    int left = INT_MAX, right = -1;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            if (bare.pixel(x, y) != written.pixel(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    ASSERT_GE(right, 0) << "nothing drawn";
    EXPECT_NEAR((left + right) / 2.0, box.center().x(), 2.0);
}

} // namespace
