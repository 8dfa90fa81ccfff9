// The pictures are built into the program whole, file header included, and decode at their
// sizes.

#include "linux/skin_images.h"
#include "picture_files.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace picture_files;

TEST(EmbeddedPictures, AreTheCommittedFilesByteForByte) {
    ui::InitResources();
    for (const char* name : {"skin.bmp", "lit_close.bmp", "lit_minimise.bmp", "lit_help.bmp",
                             "lit_left.bmp", "lit_right.bmp", "orvane.ico"}) {
        QFile embedded(QStringLiteral(":/") + QLatin1String(name));
        ASSERT_TRUE(embedded.open(QIODevice::ReadOnly)) << name;
        const QByteArray committed = ReadResource(name);
        ASSERT_FALSE(committed.isEmpty()) << name;
        EXPECT_EQ(embedded.readAll(), committed) << name;
    }
}

TEST(EmbeddedPictures, DecodeAtTheirSizesWithTheStoredPixels) {
    ui::InitResources();
    const QImage skinImage = ui::LoadSkinImage(":/skin.bmp");
    ASSERT_EQ(skinImage.size(), QSize(353, 437));
    const Bitmap stored = ParseBitmap(ReadResource("skin.bmp"));
    ASSERT_FALSE(stored.pixels.empty());
    // Rows come out top-down: compare a few pixels, top and bottom.
    for (const QPoint p :
         {QPoint(180, 30), QPoint(150, 150), QPoint(286, 72), QPoint(2, 400), QPoint(330, 375)}) {
        const QRgb decoded = skinImage.pixel(p);
        const Rgb expected = stored.at(p.x(), p.y());
        EXPECT_EQ((Rgb{qRed(decoded), qGreen(decoded), qBlue(decoded)}), expected)
            << p.x() << "," << p.y();
    }
    EXPECT_EQ(ui::LoadSkinImage(":/lit_close.bmp").size(), QSize(16, 16));
    EXPECT_EQ(ui::LoadSkinImage(":/lit_minimise.bmp").size(), QSize(16, 16));
    EXPECT_EQ(ui::LoadSkinImage(":/lit_help.bmp").size(), QSize(16, 16));
    EXPECT_EQ(ui::LoadSkinImage(":/lit_left.bmp").size(), QSize(25, 19));
    EXPECT_EQ(ui::LoadSkinImage(":/lit_right.bmp").size(), QSize(25, 19));
}
