#include "form_test.h"
#include "linux/data_control_widget.h"
#include "linux/skin_picture.h"

#include <QTest>

TEST(SkinPicture, ADoubleClickPressesOnce) {
    TestApplication();
    QWidget window;
    window.resize(100, 100);
    ui::SkinPicture picture(&window, QImage(24, 19, QImage::Format_RGB32));
    picture.setGeometry(10, 10, 24, 19);
    picture.show();
    window.show();

    int presses = 0;
    QObject::connect(&picture, &ui::SkinPicture::mouseDown, [&presses] { ++presses; });
    // What a double click delivers: a press and a release, then the double click itself.
    QTest::mouseClick(&picture, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseDClick(&picture, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(presses, 1);
}

TEST_F(FormTest, TheDataControlPaintsNothingOutsideTheWindowRegion) {
    ui::FormWindow& window = openForm();
    QImage painted(window.Data1->size(), QImage::Format_ARGB32);
    painted.fill(Qt::transparent);
    window.Data1->render(&painted, QPoint(), QRegion(), QWidget::DrawChildren);
    EXPECT_EQ(painted.pixel(5, 5), QColor(Qt::transparent).rgba());
    EXPECT_EQ(painted.pixel(36, 11), QColor(Qt::transparent).rgba());
}
