// The program's icon: one 32 x 32 image of 256 colours with its transparency mask, white
// initials on a black oval; and its PNG copies for the desktop.

#include "picture_files.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace picture_files;

TEST(IconFile, HoldsOne32x32ImageOf256ColoursWithItsMask) {
    const QByteArray file = ReadResource("orvane.ico");
    ASSERT_EQ(file.size(), 2238);
    const Icon icon = ParseIcon(file);
    EXPECT_EQ(icon.reserved, 0);
    EXPECT_EQ(icon.type, 1);
    EXPECT_EQ(icon.count, 1);
    EXPECT_EQ(icon.entryWidth, 32);
    EXPECT_EQ(icon.entryHeight, 32);
    EXPECT_EQ(icon.entryColours, 0) << "0 stands for 256 colours";
    EXPECT_EQ(icon.entryPlanes, 1);
    EXPECT_EQ(icon.entryBits, 8);
    EXPECT_EQ(icon.entryOffset, 22u);
    EXPECT_EQ(icon.entryOffset + icon.entryBytes, 2238u);
    EXPECT_EQ(icon.infoSize, 40u);
    EXPECT_EQ(icon.width, 32);
    EXPECT_EQ(icon.height, 64) << "colour rows and mask rows";
    EXPECT_EQ(icon.bitsPerPixel, 8);
    EXPECT_EQ(icon.compression, 0u);
    ASSERT_EQ(icon.transparent.size(), 1024u);
}

TEST(IconFile, ShowsWhiteInitialsOnABlackOvalWith498TransparentPixels) {
    const Icon icon = ParseIcon(ReadResource("orvane.ico"));
    ASSERT_EQ(icon.transparent.size(), 1024u);
    int transparent = 0, black = 0, white = 0;
    for (std::size_t i = 0; i < 1024; ++i) {
        if (icon.transparent[i]) {
            ++transparent;
            continue;
        }
        black += icon.colours[i].max() < 40 ? 1 : 0;
        white += std::min({icon.colours[i].r, icon.colours[i].g, icon.colours[i].b}) > 215;
    }
    EXPECT_EQ(transparent, 498);
    EXPECT_GT(black, white) << "a black oval";
    EXPECT_GE(white, 60) << "two white letters";
    // Transparent round the oval, opaque in its middle.
    for (const int corner : {0, 31, 32 * 31, 1023}) {
        EXPECT_TRUE(icon.transparent[std::size_t(corner)]);
    }
    EXPECT_FALSE(icon.transparent[16 * 32 + 16]);
}

TEST(DesktopIcons, EachSizeIsTheOvalOnATransparentGround) {
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString path =
            QStringLiteral(ORVANE_RESOURCES_DIR "/icons/hicolor/%1x%1/apps/orvane.png").arg(size);
        const QImage image(path);
        ASSERT_FALSE(image.isNull()) << path.toStdString();
        EXPECT_EQ(image.size(), QSize(size, size));
        EXPECT_TRUE(image.hasAlphaChannel());
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size;
        EXPECT_EQ(qAlpha(image.pixel(size - 1, size - 1)), 0) << size;
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << size;
    }
}
