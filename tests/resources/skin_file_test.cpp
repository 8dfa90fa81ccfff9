// The committed skin and overlays: their file format, the black background around the
// device's outline and in its hole, and the places other parts of the program rely on.

#include "picture_files.h"

#include <gtest/gtest.h>

using namespace picture_files;

namespace {

constexpr int kSkinWidth = 353;
constexpr int kSkinHeight = 437;
const QRect kStripInterior(4, 388, 336, 37);
const QRect kStripOuter(1, 384, 343, 45);

const Bitmap& skin() {
    static const Bitmap bitmap = ParseBitmap(ReadResource("skin.bmp"));
    return bitmap;
}

bool nearRegion(const QRegion& region, int x, int y, int reach) {
    return region.intersects(QRect(x - reach, y - reach, 2 * reach + 1, 2 * reach + 1));
}

bool touches(const QRegion& region, int x, int y) {
    return region.contains(QPoint(x - 1, y)) || region.contains(QPoint(x + 1, y)) ||
           region.contains(QPoint(x, y - 1)) || region.contains(QPoint(x, y + 1));
}

} // namespace

struct BitmapCase {
    const char* name;
    int width;
    int height;
    qsizetype bytes;
};

void PrintTo(const BitmapCase& bitmap, std::ostream* out) {
    *out << bitmap.name;
}

class BitmapFormat : public testing::TestWithParam<BitmapCase> {};

TEST_P(BitmapFormat, IsAComplete24BitBottomUpUncompressedBitmap) {
    const BitmapCase& expected = GetParam();
    const QByteArray file = ReadResource(expected.name);
    ASSERT_EQ(file.size(), expected.bytes);
    const Bitmap bmp = ParseBitmap(file);
    EXPECT_EQ(bmp.signature, QByteArray("BM"));
    EXPECT_EQ(bmp.fileSizeField, std::uint32_t(expected.bytes));
    EXPECT_EQ(bmp.pixelOffset, 54u);
    EXPECT_EQ(bmp.infoSize, 40u);
    EXPECT_EQ(bmp.width, expected.width);
    EXPECT_EQ(bmp.height, expected.height) << "a positive height stores the rows bottom-up";
    EXPECT_EQ(bmp.planes, 1);
    EXPECT_EQ(bmp.bitsPerPixel, 24);
    EXPECT_EQ(bmp.compression, 0u) << "BI_RGB";
    EXPECT_EQ(bmp.imageSizeField, std::uint32_t(expected.bytes - 54));
    const qsizetype stride = (expected.width * 3 + 3) / 4 * 4;
    EXPECT_GE(qsizetype(bmp.imageSizeField), stride * expected.height);
    EXPECT_EQ(bmp.pixels.size(), std::size_t(expected.width * expected.height));
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, BitmapFormat,
    testing::Values(
        BitmapCase{"skin.bmp", 353, 437, 463276}, BitmapCase{"lit_close.bmp", 16, 16, 824},
        BitmapCase{"lit_minimise.bmp", 16, 16, 824}, BitmapCase{"lit_help.bmp", 16, 16, 824},
        BitmapCase{"lit_left.bmp", 25, 19, 1500}, BitmapCase{"lit_right.bmp", 25, 19, 1500}),
    [](const auto& testCase) {
        return QString::fromLatin1(testCase.param.name).section('.', 0, 0).toStdString();
    });

class SkinPixels : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(skin().width, kSkinWidth);
        ASSERT_EQ(skin().height, kSkinHeight);
        ASSERT_FALSE(skin().pixels.empty());
    }
    const QRegion device = DeviceRegion();
    const QRegion hole = HoleRegion();
};

TEST_F(SkinPixels, BackgroundOutsideTheOutlineIsBlackAllButAFewDarkPixelsAtTheOutline) {
    int darkAtOutline = 0;
    for (int y = 0; y < kSkinHeight; ++y) {
        for (int x = 0; x < kSkinWidth; ++x) {
            if (device.contains(QPoint(x, y))) {
                continue;
            }
            const Rgb pixel = skin().at(x, y);
            if (!nearRegion(device, x, y, 2)) {
                ASSERT_TRUE(pixel.isBlack()) << "at " << x << "," << y;
            } else if (!pixel.isBlack()) {
                EXPECT_LE(pixel.max(), 64) << "at " << x << "," << y;
                ++darkAtOutline;
            }
        }
    }
    EXPECT_LE(darkAtOutline, 300);
}

TEST_F(SkinPixels, ColumnsAndRowsBeyondTheWindowAreBlack) {
    for (int y = 0; y < kSkinHeight; ++y) {
        for (int x = 347; x < kSkinWidth; ++x) {
            ASSERT_TRUE(skin().at(x, y).isBlack()) << "at " << x << "," << y;
        }
    }
    for (int y = 429; y < kSkinHeight; ++y) {
        for (int x = 0; x < kSkinWidth; ++x) {
            ASSERT_TRUE(skin().at(x, y).isBlack()) << "at " << x << "," << y;
        }
    }
}

TEST_F(SkinPixels, TheGapInTheCableLoopIsExactlyTheHole) {
    const QRect box = hole.boundingRect();
    ASSERT_FALSE(box.isEmpty());
    for (int y = box.top() - 1; y <= box.bottom() + 1; ++y) {
        for (int x = box.left() - 1; x <= box.right() + 1; ++x) {
            const Rgb pixel = skin().at(x, y);
            if (hole.contains(QPoint(x, y))) {
                EXPECT_LE(pixel.max(), 64) << "hole pixel at " << x << "," << y;
                if (!nearRegion(device, x, y, 1)) {
                    EXPECT_TRUE(pixel.isBlack()) << "hole pixel at " << x << "," << y;
                }
            } else if (device.contains(QPoint(x, y)) && touches(hole, x, y)) {
                // The loop around the gap is painted right up to it.
                EXPECT_GE(pixel.max(), 24) << "loop pixel at " << x << "," << y;
            }
        }
    }
}

TEST_F(SkinPixels, TheDeviceIsPaintedRightUpToItsOutlineWithNoBlackHoles) {
    int inside = 0, veryDark = 0;
    for (int y = 0; y < kSkinHeight; ++y) {
        for (int x = 0; x < kSkinWidth; ++x) {
            if (!device.contains(QPoint(x, y)) || kStripInterior.contains(x, y)) {
                continue;
            }
            const Rgb pixel = skin().at(x, y);
            ++inside;
            ASSERT_FALSE(pixel.isBlack()) << "at " << x << "," << y;
            veryDark += pixel.max() < 24 ? 1 : 0;
            const bool atOutline =
                !device.contains(QPoint(x - 1, y)) || !device.contains(QPoint(x + 1, y)) ||
                !device.contains(QPoint(x, y - 1)) || !device.contains(QPoint(x, y + 1));
            if (atOutline) {
                EXPECT_GE(pixel.max(), 24) << "outline pixel at " << x << "," << y;
            }
        }
    }
    EXPECT_LT(veryDark * 100, inside) << veryDark << " of " << inside << " pixels nearly black";
}

TEST_F(SkinPixels, InputStripIsBlackInsideAThinGreyFrame) {
    for (int y = kStripInterior.top(); y <= kStripInterior.bottom(); ++y) {
        for (int x = kStripInterior.left(); x <= kStripInterior.right(); ++x) {
            ASSERT_TRUE(skin().at(x, y).isBlack()) << "at " << x << "," << y;
        }
    }
    for (int y = kStripOuter.top(); y <= kStripOuter.bottom(); ++y) {
        for (int x = kStripOuter.left(); x <= kStripOuter.right(); ++x) {
            if (kStripInterior.contains(x, y) || !device.contains(QPoint(x, y))) {
                continue;
            }
            const Rgb p = skin().at(x, y);
            EXPECT_GE(p.max(), 40) << "frame at " << x << "," << y;
            EXPECT_LE(p.max() - std::min({p.r, p.g, p.b}), 24) << "frame at " << x << "," << y;
        }
    }
}

TEST_F(SkinPixels, ScreenIsDarkGreen) {
    long r = 0, g = 0, b = 0, n = 0;
    for (int y = 65; y <= 260; ++y) {
        for (int x = 104; x <= 259; ++x) {
            const Rgb p = skin().at(x, y);
            r += p.r;
            g += p.g;
            b += p.b;
            ++n;
        }
    }
    EXPECT_GT(g / n, r / n + 15);
    EXPECT_GT(g / n, b / n + 10);
    EXPECT_LT(g / n, 120);
}

TEST_F(SkinPixels, ButtonsAndArrowsAreDrawnGrey) {
    const QRect boxes[] = {{280, 66, 14, 14},  {280, 85, 14, 14},  {280, 105, 14, 14},
                           {121, 266, 24, 19}, {219, 266, 24, 19}, {146, 269, 71, 16}};
    for (const QRect& box : boxes) {
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                const Rgb p = skin().at(x, y);
                EXPECT_LE(p.max() - std::min({p.r, p.g, p.b}), 30) << "at " << x << "," << y;
            }
        }
    }
}
