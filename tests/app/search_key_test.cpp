// Enter in the search box runs the search whatever the modifier keys; every other key runs
// nothing. With an empty box the search only flips the pointer to the hourglass and back.

#include "app/shaped_form.h"
#include "fake_runtime.h"

#include <gtest/gtest.h>

namespace {

class SearchKeyTest : public ::testing::Test {
protected:
    void keyDown(std::int16_t keyCode, std::int16_t shift = 0) {
        form.Text1_KeyDown(keyCode, shift);
    }

    FakeRuntime runtime;
    ShapedForm form{runtime};
};

const std::vector<std::string> kEmptySearch = {"MousePointer=11", "DoEvents()", "MousePointer=0"};

} // namespace

TEST_F(SearchKeyTest, EnterSearchesWhateverTheShiftState) {
    for (const std::int16_t shift : {0, 1, 2, 4, 7}) {
        keyDown(13, shift);
        EXPECT_EQ(runtime.Take(), kEmptySearch) << "shift " << shift;
    }
}

TEST_F(SearchKeyTest, OtherKeysRunNothing) {
    for (const std::int16_t key : {0, 10, 12, 14, 27, 32, 65, 108, 269, -13}) {
        keyDown(key);
        EXPECT_TRUE(runtime.calls.empty()) << "key " << key;
    }
}

TEST_F(SearchKeyTest, AnEnterInsideARunningSearchIsIgnored) {
    int nested = 0;
    runtime.onDoEvents = [&] {
        if (nested++ == 0) {
            keyDown(13);
        }
    };
    keyDown(13);
    EXPECT_EQ(runtime.Take(), kEmptySearch) << "the nested Enter started no second search";
}
