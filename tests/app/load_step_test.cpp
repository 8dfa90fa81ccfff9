#include "form_test.h"

#include "platform/app_info.h"
#include "platform/regions.h"
#include "platform/screen.h"

using namespace platform;

TEST_F(FormTest, LoadStepShapesTheWindowAndMakesTheHotSpots) {
    ShapedForm& window = openForm();
    EXPECT_TRUE(window.mask().contains(QPoint(200, 200)));
    EXPECT_FALSE(window.mask().contains(QPoint(331, 352))) << "the hole";
    EXPECT_FALSE(window.mask().contains(QPoint(0, 0)));
    EXPECT_FALSE(RegionOf(window.windowRgn)) << "the window owns its region once applied";

    EXPECT_TRUE(PtInRegion(window.closeRgn, 286, 72));
    EXPECT_TRUE(PtInRegion(window.minimiseRgn, 286, 91));
    EXPECT_TRUE(PtInRegion(window.helpRgn, 286, 111));
    EXPECT_FALSE(PtInRegion(window.closeRgn, 279, 65));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ends, 0);
}

TEST_F(FormTest, SecondCopyWarnsAndEndsBeforeMakingTheHotSpots) {
    SetPrevInstanceSource([] { return true; });
    form = std::make_unique<ShapedForm>();
    EXPECT_THROW(form->Form_Load(), ProgramEnded);

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].prompt, QStringLiteral("L'orvane Zelkis a déjà été lancé"));
    EXPECT_EQ(boxes[0].title, QStringLiteral("Orvane déjà lancé"));
    EXPECT_EQ(boxes[0].style, vbOKOnly | vbExclamation);
    ASSERT_FALSE(pointerChanges.empty());
    EXPECT_EQ(pointerChanges.back(), 0);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->mask().isEmpty()) << "the region is applied before the guard";
    EXPECT_EQ(form->closeRgn, 0);
    EXPECT_EQ(form->minimiseRgn, 0);
    EXPECT_EQ(form->helpRgn, 0);
}

TEST_F(FormTest, UnloadIsNeverRefused) {
    ShapedForm& window = openForm();
    std::int16_t cancel = 0;
    window.Form_Unload(cancel);
    EXPECT_EQ(cancel, 0);
    EXPECT_TRUE(window.close());
}

TEST_F(FormTest, LoadFailureIsARunTimeErrorNotACrash) {
    SetTwipsPerPixelSource([] { return 0.0f; }, [] { return 15.0f; });
    form = std::make_unique<ShapedForm>();
    EXPECT_THROW(form->Form_Load(), std::exception);
    EXPECT_EQ(ends, 0);
}
