// The reading helper as the program runs it, with filters asked on its standard input: it answers
// each in the row stream with the rows the program's own search finds once it has every row, and
// the rows it sends are those it sends when asked nothing.

#include "catalogue/catalogue_rows.h"
#include "catalogue/filter/filter.h"
#include "catalogue/filter_request.h"
#include "catalogue/match_list.h"
#include "catalogue/row_stream.h"
#include "jet_test_files.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using catalogue::CatalogueRows;
using catalogue::FilterAnswer;

const std::vector<std::string> kFields{"Nom", "cd", "Description"};
// Entries whose rows make far more than a pipe holds.
constexpr int kEntries = 16000;

// The helper's output for the file, with these requests waiting on its input from its start.
// The output is read only once the helper has taken the requests: meanwhile it stops with the
// pipe full, long before its last rows, so that every request comes before them.
std::string helperOutput(const std::filesystem::path& file, const std::string& requests) {
    int input[2];
    int output[2];
    EXPECT_EQ(pipe2(input, O_CLOEXEC), 0);
    EXPECT_EQ(pipe2(output, O_CLOEXEC), 0);
    EXPECT_EQ(write(input[1], requests.data(), requests.size()), ssize_t(requests.size()));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    std::vector<std::string> arguments{ORVANE_READER_PROGRAM, "4000000000", "600", file.string(),
                                       "Index"};
    arguments.insert(arguments.end(), kFields.begin(), kFields.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t helper = 0;
    EXPECT_EQ(posix_spawn(&helper, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    close(output[1]);
    // Bounded only so that a helper that never reads its input fails rather than hangs.
    int waiting = 0;
    for (int waits = 0; ioctl(input[1], FIONREAD, &waiting) == 0 && waiting > 0; ++waits) {
        if (waits == 120'000) {
            ADD_FAILURE() << "the helper did not take its requests";
            break;
        }
        usleep(1000);
    }
    close(input[1]);
    std::string bytes;
    char buffer[65536];
    for (ssize_t got; (got = read(output[0], buffer, sizeof buffer)) > 0;) {
        bytes.append(buffer, std::size_t(got));
    }
    close(output[0]);
    int status = 0;
    EXPECT_EQ(waitpid(helper, &status, 0), helper);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    return bytes;
}

struct Received {
    Received() : rows(kFields) {}
    CatalogueRows rows;
    std::vector<FilterAnswer> answers;
};

Received read(const std::string& bytes) {
    Received received;
    catalogue::RowStreamReader stream(received.rows, {}, [&received](FilterAnswer answer) {
        received.answers.push_back(std::move(answer));
    });
    EXPECT_EQ(stream.feed(bytes), catalogue::RowStreamReader::State::Finished) << stream.message();
    return received;
}

std::vector<std::uint32_t> programsMatches(const CatalogueRows& rows, const std::string& criteria) {
    catalogue::MatchList list(rows,
                              catalogue::filter::Filter::Parse(criteria).Bind(rows.columnNames()));
    std::vector<std::uint32_t> matches;
    for (auto row = list.first(); row; row = list.after(*row)) {
        matches.push_back(std::uint32_t(*row));
    }
    return matches;
}

} // namespace

TEST(HelperRequestsTest, FiltersAskedOnItsInputAreAnsweredAsTheProgramWouldFindThem) {
    jet_test::TempFolder folder;
    const std::filesystem::path file =
        jet_test::buildFrom(folder, jet_test::searchableEntries(kEntries, false));
    const std::vector<std::string> criteria{
        "Nom like '*énigme*' or Description like '*énigme*'", // every seventh row
        "Nom like '*zzz*'",                                   // none
        "Nom like '*'",                                       // all, more than an answer shows
    };
    std::string requests;
    for (std::size_t k = 0; k < criteria.size(); ++k) {
        requests += catalogue::FilterRequest(std::uint32_t(10 + k), criteria[k]);
    }
    const Received asked = read(helperOutput(file, requests));
    const Received plain = read(helperOutput(file, ""));
    ASSERT_EQ(plain.rows.rowCount(), std::size_t(kEntries));
    EXPECT_TRUE(plain.answers.empty());
    ASSERT_EQ(asked.rows.rowCount(), std::size_t(kEntries));
    for (std::size_t row = 0; row < std::size_t(kEntries); ++row) {
        for (std::size_t column = 0; column < kFields.size(); ++column) {
            ASSERT_EQ(asked.rows.value(row, column), plain.rows.value(row, column)) << row;
        }
    }
    ASSERT_EQ(asked.answers.size(), criteria.size());
    for (std::size_t k = 0; k < criteria.size(); ++k) {
        const FilterAnswer& answer = asked.answers[k];
        EXPECT_EQ(answer.request, 10 + k);
        EXPECT_EQ(answer.tableRows, std::uint64_t(kEntries));
        EXPECT_EQ(answer.matches, programsMatches(asked.rows, criteria[k])) << criteria[k];
        for (std::size_t shown = 0; shown < answer.shown.rowCount(); ++shown) {
            for (std::size_t column = 0; column < kFields.size(); ++column) {
                ASSERT_EQ(answer.shown.value(shown, column),
                          asked.rows.value(answer.matches[shown], column));
            }
        }
    }
    EXPECT_EQ(asked.answers[0].matches.size(), std::size_t(kEntries / 7));
    EXPECT_GT(asked.answers[0].shown.rowCount(), 0u);
    EXPECT_GT(asked.answers[2].shown.rowCount(), 0u);
    EXPECT_LT(asked.answers[2].shown.rowCount(), std::size_t(kEntries));
}

// Input that is not requests ends the reading of requests, not the reading of the rows.
TEST(HelperRequestsTest, InputThatIsNotRequestsIsIgnored) {
    jet_test::TempFolder folder;
    const std::filesystem::path file =
        jet_test::buildFrom(folder, jet_test::searchableEntries(kEntries, false));
    for (const std::string& input : {std::string("Nom like '*jeu*'\n"),
                                     catalogue::FilterRequest(1, "Nom like").substr(0, 5)}) {
        const Received received = read(helperOutput(file, input));
        EXPECT_EQ(received.rows.rowCount(), std::size_t(kEntries));
        EXPECT_TRUE(received.answers.empty());
    }
}
