// A child started on Windows reads back, in UTF-8, exactly the arguments it was given: paths
// with spaces and accents, quotes and trailing backslashes.

#include "system/child_process.h"

#include <gtest/gtest.h>

namespace {

std::string outputOf(sys::ChildProcess& child) {
    std::string output;
    char buffer[256];
    while (!child.OutputEnded()) {
        output.append(buffer, child.Read(buffer, sizeof buffer, std::chrono::seconds(30)));
    }
    return output;
}

TEST(ChildArgumentsTest, UnicodePathsAndQuotesReachTheChildUnchanged) {
    const std::vector<std::string> arguments = {
        "C:\\Users\\Hélène\\Mes documents\\base.MDB",
        "Index",
        "say \"jeu\"",
        "C:\\dossier avec espace\\",
        "",
        "ŒUVRES 漢字",
    };
    std::vector<std::string> echo{"echo"};
    echo.insert(echo.end(), arguments.begin(), arguments.end());
    sys::ChildProcess child(ORVANE_CHILD_HELPER, echo);
    std::string expected;
    for (const std::string& argument : arguments) {
        expected += argument + '\n';
    }
    EXPECT_EQ(outputOf(child), expected);
    EXPECT_TRUE(child.Wait().Succeeded());
}

} // namespace
