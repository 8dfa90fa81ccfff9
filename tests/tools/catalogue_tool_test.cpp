// The orvane-catalogue command: its help, exit codes and messages, and an interrupted build.

#include "test_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using test_files::readFile;
using test_files::TempFolder;
using test_files::writeFile;

namespace {

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

pid_t start(const std::vector<std::string>& arguments, const TempFolder& logs) {
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv = {const_cast<char*>(ORVANE_CATALOGUE_TOOL)};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        if (!freopen((logs / "out").c_str(), "w", stdout) ||
            !freopen((logs / "err").c_str(), "w", stderr))
            _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

int waitFor(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

Outcome run(const std::vector<std::string>& arguments) {
    TempFolder logs;
    const int code = waitFor(start(arguments, logs));
    return {code, readFile(logs / "out"), readFile(logs / "err")};
}

} // namespace

TEST(CatalogueTool, HelpExplainsTheCommand) {
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage : orvane-catalogue CATALOGUE.csv base.MDB\n", 0), 0u);
    EXPECT_NE(help.out.find("Nom, cd et\nDescription"), std::string::npos);
    const Outcome wrong = run({"catalogue.csv"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_EQ(wrong.err.rfind("usage : orvane-catalogue CATALOGUE.csv base.MDB\n", 0), 0u);
}

TEST(CatalogueTool, ReportsSuccessAndFailures) {
    TempFolder folder;
    const std::string csv = (folder / "c.csv").string();
    const std::string base = (folder / "base.MDB").string();
    writeFile(csv, "Nom,cd,Description\na,b,c\nd,e,f\n");
    const Outcome built = run({csv, base});
    EXPECT_EQ(built.exitCode, 0);
    EXPECT_EQ(built.out, "orvane-catalogue : 2 entrées écrites dans " + base + "\n");
    writeFile(csv, "Nom,cd,Description\na,b,c\nd,e\n");
    const Outcome refused = run({csv, base});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "orvane-catalogue : " + csv +
                               ", ligne 3, colonne 4 : cette ligne a 2 champs alors que l'en-tête "
                               "en nomme 3\n");
    EXPECT_EQ(run({(folder / "absent.csv").string(), base}).exitCode, 1);
}

// Whether the tool has its output file open: written without a name, it shows only among the
// process's open files.
bool writingInto(pid_t tool, const std::filesystem::path& folder) {
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator("/proc/" + std::to_string(tool) + "/fd", error)) {
        const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
        if (target.rfind(folder.string() + "/", 0) == 0 && target.find(".csv") == std::string::npos)
            return true;
    }
    return false;
}

// The CSV comes through a pipe that the test holds open, so the tool is stopped in the middle
// of writing, whatever stops it: the output file, which has no name yet, goes with it.
TEST(CatalogueTool, AnInterruptedBuildLeavesNothingBehind) {
    TempFolder folder;
    TempFolder logs;
    writeFile(folder / "base.MDB", "the previous catalogue");
    ASSERT_EQ(mkfifo((folder / "c.csv").c_str(), 0600), 0);
    std::string rows = "Nom,cd,Description\n";
    while (rows.size() < 300000) // more than the tool reads at once
        rows += std::string(100, 'x') + ",cd,d\n";
    for (const int signal : {SIGKILL, SIGTERM, SIGQUIT, SIGPIPE, SIGXFSZ}) {
        const pid_t tool =
            start({(folder / "c.csv").string(), (folder / "base.MDB").string()}, logs);
        const int pipe = open((folder / "c.csv").c_str(), O_WRONLY);
        ASSERT_GE(pipe, 0);
        for (std::size_t sent = 0; sent < rows.size();) {
            const ssize_t written = write(pipe, rows.data() + sent, rows.size() - sent);
            ASSERT_GT(written, 0);
            sent += static_cast<std::size_t>(written);
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
        while (!writingInto(tool, folder.path()) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_TRUE(writingInto(tool, folder.path())) << "the tool never started writing";
        kill(tool, signal);
        EXPECT_EQ(waitFor(tool), 128 + signal);
        close(pipe);
        EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"base.MDB", "c.csv"})) << signal;
        EXPECT_EQ(readFile(folder / "base.MDB"), "the previous catalogue");
    }
}
