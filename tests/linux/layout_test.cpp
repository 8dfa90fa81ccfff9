// The window as it opens: its own settings and every control's place, state, colours and font.

#include "form_test.h"
#include "linux/caption_label.h"
#include "linux/data_control_widget.h"
#include "linux/device_rects.h"
#include "linux/search_box.h"
#include "linux/skin_picture.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

namespace {

class LayoutTest : public FormTest {};

struct Placement {
    const char* name;
    QWidget* widget;
    QRect box;
};

std::vector<Placement> placements(ui::FormWindow& form) {
    return {
        {"Picture2", form.Picture2, ui::RectOf(shape::kCloseHighlight)},
        {"Picture3", form.Picture3, ui::RectOf(shape::kMinimiseHighlight)},
        {"Picture1", form.Picture1, ui::RectOf(shape::kHelpHighlight)},
        {"Picture4", form.Picture4, ui::RectOf(shape::kPreviousArrow)},
        {"Picture5", form.Picture5, ui::RectOf(shape::kNextArrow)},
        {"Text1", form.Text1, ui::RectOf(shape::kSearchBox)},
        {"Label6", form.Label6, ui::RectOf(shape::kNomLabel)},
        {"Label8", form.Label8, ui::RectOf(shape::kDescriptionLabel)},
        {"Label5", form.Label5, ui::RectOf(shape::kCdLabel)},
        {"Label4", form.Label4, ui::RectOf(shape::kCounterLabel)},
        {"Data1", form.Data1, ui::RectOf(shape::kDataControl)},
    };
}

// How many pixels of a widget's rendering have exactly the given colour.
int pixelsOfColour(QWidget* widget, QColor colour) {
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

TEST_F(LayoutTest, WindowIsFramelessFixedSizeTitledAndCarriesTheIcon) {
    ui::FormWindow& window = openForm();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Orvane Zelkis"));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.size(), QSize(347, 429));
    EXPECT_EQ(window.minimumSize(), QSize(347, 429));
    EXPECT_EQ(window.maximumSize(), QSize(347, 429));
    const QIcon icon = window.windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixmap(QSize(32, 32)).size(), QSize(32, 32));
}

TEST_F(LayoutTest, EveryControlStandsInItsBox) {
    ui::FormWindow& window = openForm();
    for (const Placement& placement : placements(window)) {
        ASSERT_NE(placement.widget, nullptr) << placement.name;
        EXPECT_EQ(placement.widget->parentWidget(), &window) << placement.name;
        EXPECT_EQ(placement.widget->geometry(), placement.box) << placement.name;
    }
}

TEST_F(LayoutTest, ControlsLieInsideTheRegionApartFromDataControlAndNeverOverlap) {
    ui::FormWindow& window = openForm();
    const QRegion region = window.mask();
    ASSERT_FALSE(region.isEmpty());
    const std::vector<Placement> all = placements(window);
    for (const Placement& placement : all) {
        const QRegion box(placement.widget->geometry());
        if (placement.widget == window.Data1) {
            EXPECT_TRUE(box.intersected(region).isEmpty()) << "Data1 reaches into the region";
        } else {
            EXPECT_TRUE(box.subtracted(region).isEmpty()) << placement.name << " leaves the region";
        }
        for (const Placement& other : all) {
            if (&other != &placement) {
                EXPECT_FALSE(placement.box.intersects(other.box))
                    << placement.name << " overlaps " << other.name;
            }
        }
    }
}

TEST_F(LayoutTest, PicturesStartHiddenHighlightsDisabledArrowsEnabled) {
    ui::FormWindow& window = openForm();
    for (ui::SkinPicture* highlight : {window.Picture1, window.Picture2, window.Picture3}) {
        EXPECT_TRUE(highlight->isHidden());
        EXPECT_FALSE(highlight->isEnabled());
        EXPECT_TRUE(highlight->testAttribute(Qt::WA_TransparentForMouseEvents));
    }
    for (ui::SkinPicture* arrow : {window.Picture4, window.Picture5}) {
        EXPECT_TRUE(arrow->isHidden());
        EXPECT_TRUE(arrow->isEnabled());
        EXPECT_FALSE(arrow->testAttribute(Qt::WA_TransparentForMouseEvents));
    }
    EXPECT_EQ(window.Picture1->toolTip(), QStringLiteral("Aide"));
    for (ui::SkinPicture* other :
         {window.Picture2, window.Picture3, window.Picture4, window.Picture5}) {
        EXPECT_TRUE(other->toolTip().isEmpty());
    }
}

TEST_F(LayoutTest, LabelsAndSearchFieldStartEmptyDataControlShown) {
    ui::FormWindow& window = openForm();
    for (ui::CaptionLabel* label : {window.Label4, window.Label5, window.Label6, window.Label8}) {
        EXPECT_TRUE(label->caption().isEmpty());
        EXPECT_TRUE(label->isVisible());
        EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
    }
    EXPECT_TRUE(window.Text1->text().isEmpty());
    EXPECT_TRUE(window.Text1->isVisible());
    EXPECT_TRUE(window.Text1->isEnabled());
    EXPECT_TRUE(window.Data1->isVisible());
    EXPECT_EQ(window.Data1->Caption, QStringLiteral("Data1"));
}

// Each label draws its caption in its own colour.
TEST_F(LayoutTest, LabelsDrawTheirCaptionsInTheirColours) {
    ui::FormWindow& window = openForm();
    const std::pair<ui::CaptionLabel*, QColor> cases[] = {
        {window.Label6, QColor(0, 255, 0)},
        {window.Label8, QColor(128, 255, 128)},
        {window.Label5, QColor(128, 255, 128)},
        {window.Label4, QColor(192, 192, 192)},
    };
    for (const auto& [label, colour] : cases) {
        EXPECT_EQ(label->palette().color(QPalette::WindowText), colour);
        EXPECT_EQ(pixelsOfColour(label, colour), 0);
        label->setCaption(QStringLiteral("HMW 88"));
        EXPECT_GT(pixelsOfColour(label, colour), 10) << colour.name().toStdString();
    }
}

TEST_F(LayoutTest, SearchFieldIsBorderlessCentredLightGreenOnBlack) {
    ui::FormWindow& window = openForm();
    ui::SearchBox* field = window.Text1;
    EXPECT_FALSE(field->hasFrame());
    EXPECT_EQ(field->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_FALSE(field->isReadOnly());
    EXPECT_EQ(field->echoMode(), QLineEdit::Normal);

    field->setText(QStringLiteral("HMW"));
    field->clearFocus(); // no cursor in the rendering
    const QImage image = field->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(image.width() / 8, image.height() / 2), QColor(0, 0, 0));
    // The text stands in the middle: lit pixels only in the central third.
    int left = image.width(), right = -1, exact = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour != QColor(0, 0, 0)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
            exact += colour == QColor(128, 255, 128) ? 1 : 0;
        }
    }
    EXPECT_GT(exact, 20);
    EXPECT_NEAR((left + right) / 2.0, image.width() / 2.0, 3.0);
}

// "MS Sans Serif" maps to a free sans font with Arial metrics, at the designed sizes.
TEST_F(LayoutTest, FontsResolveToTheSubstituteAtTheirSizesAndWeights) {
    ui::FormWindow& window = openForm();
    const struct {
        QWidget* widget;
        qreal points;
        bool bold;
    } cases[] = {
        {window.Text1, 13.5, true},  {window.Label6, 8.25, true}, {window.Label8, 8.25, false},
        {window.Label5, 9.75, true}, {window.Label4, 8.25, true},
    };
    for (const auto& c : cases) {
        const QFont font = c.widget->font();
        EXPECT_EQ(font.family(), QStringLiteral("MS Sans Serif"));
        EXPECT_DOUBLE_EQ(font.pointSizeF(), c.points);
        const QFontInfo info(font);
        EXPECT_TRUE(info.family() == QStringLiteral("Liberation Sans") ||
                    info.family() == QStringLiteral("Arial"))
            << "resolves to " << info.family().toStdString() << " (is fonts-liberation installed?)";
        EXPECT_NEAR(info.pointSizeF(), c.points, 0.5);
        EXPECT_EQ(info.bold(), c.bold);
    }
}

// The boxes were sized for this font: the widest counter fits, one line fits each label, and
// the search text fits the field's height.
TEST_F(LayoutTest, DesignedTextsFitTheirBoxes) {
    ui::FormWindow& window = openForm();
    const QFontMetrics counter(window.Label4->font());
    EXPECT_LE(counter.horizontalAdvance(QStringLiteral("32768/32768")), window.Label4->width());
    EXPECT_LE(counter.height(), window.Label4->height());
    EXPECT_LE(QFontMetrics(window.Label6->font()).height(), window.Label6->height());
    EXPECT_LE(QFontMetrics(window.Label5->font()).height(), window.Label5->height());
    EXPECT_LE(QFontMetrics(window.Text1->font()).height(), window.Text1->height());
}

} // namespace
