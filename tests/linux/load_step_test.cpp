#include "form_test.h"

#include "linux/app_info.h"
#include "linux/regions.h"
#include "linux/screen.h"

using namespace platform;
using namespace app;

TEST_F(FormTest, LoadStepShapesTheWindowAndMakesTheHotSpots) {
    ui::FormWindow& window = openForm();
    EXPECT_TRUE(window.mask().contains(QPoint(200, 200)));
    EXPECT_FALSE(window.mask().contains(QPoint(331, 352))) << "the hole";
    EXPECT_FALSE(window.mask().contains(QPoint(0, 0)));
    EXPECT_FALSE(RegionOf(window.form().windowRgn)) << "the window owns its region once applied";

    EXPECT_TRUE(PtInRegion(window.form().closeRgn, 286, 72));
    EXPECT_TRUE(PtInRegion(window.form().minimiseRgn, 286, 91));
    EXPECT_TRUE(PtInRegion(window.form().helpRgn, 286, 111));
    EXPECT_FALSE(PtInRegion(window.form().closeRgn, 279, 65));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ends, 0);
}

TEST_F(FormTest, SecondCopyWarnsAndEndsBeforeMakingTheHotSpots) {
    SetPrevInstanceSource([] { return true; });
    form = std::make_unique<ui::FormWindow>();
    EXPECT_THROW(form->form().Form_Load(), ProgramEnded);

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].prompt, QStringLiteral("L'orvane Zelkis a déjà été lancé"));
    EXPECT_EQ(boxes[0].title, QStringLiteral("Orvane déjà lancé"));
    EXPECT_EQ(boxes[0].style, vbOKOnly | vbExclamation);
    ASSERT_FALSE(pointerChanges.empty());
    EXPECT_EQ(pointerChanges.back(), 0);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->mask().isEmpty()) << "the region is applied before the guard";
    EXPECT_EQ(form->form().closeRgn, 0);
    EXPECT_EQ(form->form().minimiseRgn, 0);
    EXPECT_EQ(form->form().helpRgn, 0);
}

TEST_F(FormTest, UnloadIsNeverRefused) {
    ui::FormWindow& window = openForm();
    std::int16_t cancel = 0;
    window.form().Form_Unload(cancel);
    EXPECT_EQ(cancel, 0);
    EXPECT_TRUE(window.close());
}

TEST_F(FormTest, LoadFailureIsARunTimeErrorNotACrash) {
    SetTwipsPerPixelSource([] { return 0.0f; }, [] { return 15.0f; });
    form = std::make_unique<ui::FormWindow>();
    EXPECT_THROW(form->form().Form_Load(), std::exception);
    EXPECT_EQ(ends, 0);
}
