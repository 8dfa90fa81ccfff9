// The lit overlays are cut-outs of the skin: a lit round button changes only its 14 x 14 disc,
// a lit arrow only its triangle, and nothing else differs from the skin beneath.

#include "picture_files.h"

#include <gtest/gtest.h>

using namespace picture_files;

namespace {

const Bitmap& skin() {
    static const Bitmap bitmap = ParseBitmap(ReadResource("skin.bmp"));
    return bitmap;
}

int brightness(const Rgb& p) {
    return p.r + p.g + p.b;
}

// The 14 x 14 disc inside a 16 x 16 button box: the inner square less three, two and one
// pixels at the ends of its first and last three rows, 172 pixels in all.
bool inDisc(int dx, int dy) {
    const int row = dy - 1, col = dx - 1;
    if (row < 0 || row > 13 || col < 0 || col > 13) {
        return false;
    }
    const int fromEdge = std::min(row, 13 - row);
    const int indent = fromEdge < 3 ? 3 - fromEdge : 0;
    return col >= indent && col <= 13 - indent;
}

struct OverlayCase {
    const char* name;
    QPoint place;
};

void PrintTo(const OverlayCase& overlay, std::ostream* out) {
    *out << overlay.name;
}

} // namespace

class LitButton : public testing::TestWithParam<OverlayCase> {};

TEST_P(LitButton, ChangesOnlyItsDiscWhichGlowsPaleGreenWhite) {
    const Bitmap lit = ParseBitmap(ReadResource(GetParam().name));
    ASSERT_EQ(lit.width, 16);
    ASSERT_EQ(lit.height, 16);
    ASSERT_FALSE(lit.pixels.empty());
    ASSERT_FALSE(skin().pixels.empty());
    const QPoint at = GetParam().place;
    int outside = 0, disc = 0, changed = 0;
    long litLight = 0, skinLight = 0, red = 0, green = 0, blue = 0;
    for (int dy = 0; dy < 16; ++dy) {
        for (int dx = 0; dx < 16; ++dx) {
            const Rgb mine = lit.at(dx, dy);
            const Rgb beneath = skin().at(at.x() + dx, at.y() + dy);
            if (!inDisc(dx, dy)) {
                ++outside;
                EXPECT_EQ(mine, beneath) << "outside the disc at " << dx << "," << dy;
                continue;
            }
            ++disc;
            changed += mine == beneath ? 0 : 1;
            litLight += brightness(mine);
            skinLight += brightness(beneath);
            red += mine.r;
            green += mine.g;
            blue += mine.b;
        }
    }
    EXPECT_EQ(outside, 84);
    EXPECT_EQ(disc, 172);
    EXPECT_GE(changed, 150) << "the disc must light up, not only its mark";
    EXPECT_GT(litLight, skinLight + 172 * 60) << "lit is brighter than the grey button";
    EXPECT_GE(green, red);
    EXPECT_GE(green, blue);
    EXPECT_GT(litLight / 172, 3 * 150) << "pale";
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, LitButton,
    testing::Values(OverlayCase{"lit_close.bmp", {279, 65}},
                    OverlayCase{"lit_minimise.bmp", {279, 84}},
                    OverlayCase{"lit_help.bmp", {279, 104}}),
    [](const auto& testCase) {
        return QString::fromLatin1(testCase.param.name).section('.', 0, 0).toStdString();
    });

class LitArrow : public testing::TestWithParam<OverlayCase> {};

TEST_P(LitArrow, ChangesOnlyItsTriangleToBrightGreenShadedLightToDark) {
    const Bitmap lit = ParseBitmap(ReadResource(GetParam().name));
    ASSERT_EQ(lit.width, 25);
    ASSERT_EQ(lit.height, 19);
    ASSERT_FALSE(lit.pixels.empty());
    ASSERT_FALSE(skin().pixels.empty());
    const QPoint at = GetParam().place;
    const bool pointsLeft = at.x() < 180;
    int changed = 0, leftColumns = 0, rightColumns = 0;
    long upperLeft = 0, lowerRight = 0, upperLeftCount = 0, lowerRightCount = 0;
    long red = 0, green = 0, blue = 0;
    for (int dy = 0; dy < 19; ++dy) {
        for (int dx = 0; dx < 25; ++dx) {
            const Rgb mine = lit.at(dx, dy);
            const Rgb beneath = skin().at(at.x() + dx, at.y() + dy);
            if (dx == 24) {
                // The box is 24 wide: the image's last column is never shown and stays the skin.
                EXPECT_EQ(mine, beneath) << "25th column at row " << dy;
                continue;
            }
            if (mine == beneath) {
                continue;
            }
            ++changed;
            red += mine.r;
            green += mine.g;
            blue += mine.b;
            leftColumns += dx < 6 ? 1 : 0;
            rightColumns += dx >= 18 ? 1 : 0;
            if (dx + dy < 20) {
                upperLeft += brightness(mine);
                ++upperLeftCount;
            } else {
                lowerRight += brightness(mine);
                ++lowerRightCount;
            }
        }
    }
    // A triangle nearly filling the box changes about half of it, and nothing beyond it.
    EXPECT_GE(changed, 120);
    EXPECT_LE(changed, 300);
    EXPECT_GT(green, red + 40L * changed) << "bright green";
    EXPECT_GT(green, blue + 40L * changed) << "bright green";
    if (pointsLeft) {
        EXPECT_LT(leftColumns, rightColumns) << "tip on the left";
    } else {
        EXPECT_GT(leftColumns, rightColumns) << "tip on the right";
    }
    ASSERT_GT(upperLeftCount, 0);
    ASSERT_GT(lowerRightCount, 0);
    EXPECT_GT(upperLeft / upperLeftCount, lowerRight / lowerRightCount) << "light to dark";
}

INSTANTIATE_TEST_SUITE_P(
    Arrows, LitArrow,
    testing::Values(OverlayCase{"lit_left.bmp", {121, 266}},
                    OverlayCase{"lit_right.bmp", {219, 266}}),
    [](const auto& testCase) {
        return QString::fromLatin1(testCase.param.name).section('.', 0, 0).toStdString();
    });
