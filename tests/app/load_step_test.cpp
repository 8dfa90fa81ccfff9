// The load and unload steps through a runtime that records the calls: the region first, then the
// single-instance guard, then the three hot spots.

#include "app/shaped_form.h"
#include "fake_runtime.h"

#include <gtest/gtest.h>

namespace {

// The calls that are not the building of the region.
std::vector<std::string> withoutRegionBuilding(const std::vector<std::string>& calls) {
    std::vector<std::string> kept;
    for (const std::string& call : calls) {
        if (call.rfind("CreateRectRgn", 0) != 0 && call.rfind("CreatePolygonRgn", 0) != 0 &&
            call.rfind("CombineRgn", 0) != 0 && call.rfind("DeleteObject", 0) != 0) {
            kept.push_back(call);
        }
    }
    return kept;
}

class LoadStepTest : public ::testing::Test {
protected:
    FakeRuntime runtime;
    ShapedForm form{runtime};
};

} // namespace

TEST_F(LoadStepTest, RegionThenGuardThenTheThreeSpots) {
    form.Form_Load();
    EXPECT_EQ(withoutRegionBuilding(runtime.calls),
              (std::vector<std::string>{"hWnd", "SetWindowRgn(7,1,-1)", "PrevInstance",
                                        "CreateEllipticRgn(279,65,294,80)=5",
                                        "CreateEllipticRgn(279,84,294,99)=6",
                                        "CreateEllipticRgn(279,104,294,119)=7"}));
    EXPECT_EQ(form.closeRgn, 5);
    EXPECT_EQ(form.minimiseRgn, 6);
    EXPECT_EQ(form.helpRgn, 7);
    EXPECT_TRUE(runtime.Contains(form.closeRgn, 286, 72));
    EXPECT_FALSE(runtime.Contains(form.closeRgn, 279, 65)) << "the box's corner";
}

TEST_F(LoadStepTest, SecondCopyWarnsAndEndsBeforeMakingTheHotSpots) {
    runtime.previousCopy = true;
    EXPECT_THROW(form.Form_Load(), ProgramEnded);
    EXPECT_EQ(withoutRegionBuilding(runtime.calls),
              (std::vector<std::string>{
                  "hWnd", "SetWindowRgn(7,1,-1)", "PrevInstance", "MousePointer=0",
                  "MsgBox(L'orvane Zelkis a déjà été lancé,48,Orvane déjà lancé)", "End()"}));
    EXPECT_EQ(form.closeRgn, 0);
    EXPECT_EQ(form.minimiseRgn, 0);
    EXPECT_EQ(form.helpRgn, 0);
}

TEST_F(LoadStepTest, UnloadIsNeverRefusedAndReleasesNothing) {
    form.Form_Load();
    runtime.Take();
    std::int16_t cancel = 0;
    form.Form_Unload(cancel);
    EXPECT_EQ(cancel, 0);
    EXPECT_TRUE(runtime.calls.empty());
}
