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

pid_t Start(const std::vector<std::string>& arguments, const TempFolder& logs) {
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

int WaitFor(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

Outcome RunTool(const std::vector<std::string>& arguments) {
    TempFolder logs;
    const int code = WaitFor(Start(arguments, logs));
    return {code, readFile(logs / "out"), readFile(logs / "err")};
}

} // namespace

TEST(CatalogueTool, HelpExplainsTheCommand) {
    const Outcome help = RunTool({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage : orvane-catalogue CATALOGUE.csv base.MDB\n", 0), 0u);
    EXPECT_NE(help.out.find("Nom, cd et\nDescription"), std::string::npos);
    EXPECT_NE(help.out.find("orvane-catalogue --export base.MDB [TABLE]"), std::string::npos);
    EXPECT_NE(help.out.find("--export écrit sur la sortie standard, en CSV"), std::string::npos);
    const Outcome wrong = RunTool({"catalogue.csv"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_EQ(wrong.err.rfind("usage : orvane-catalogue CATALOGUE.csv base.MDB\n", 0), 0u);
}

TEST(CatalogueTool, ReportsSuccessAndFailures) {
    TempFolder folder;
    const std::string csv = (folder / "c.csv").string();
    const std::string base = (folder / "base.MDB").string();
    writeFile(csv, "Nom,cd,Description\na,b,c\nd,e,f\n");
    const Outcome built = RunTool({csv, base});
    EXPECT_EQ(built.exitCode, 0);
    EXPECT_EQ(built.out, "orvane-catalogue : 2 entrées écrites dans " + base + "\n");
    writeFile(csv, "Nom,cd,Description\na,b,c\nd,e\n");
    const Outcome refused = RunTool({csv, base});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "orvane-catalogue : " + csv +
                               ", ligne 3, colonne 4 : cette ligne a 2 champs alors que l'en-tête "
                               "en nomme 3\n");
    EXPECT_EQ(RunTool({(folder / "absent.csv").string(), base}).exitCode, 1);
}

// Whether the tool has its output file open: written without a name, it shows only among the
// process's open files.
bool WritingInto(pid_t tool, const std::filesystem::path& folder) {
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
            Start({(folder / "c.csv").string(), (folder / "base.MDB").string()}, logs);
        const int pipe = open((folder / "c.csv").c_str(), O_WRONLY);
        ASSERT_GE(pipe, 0);
        for (std::size_t sent = 0; sent < rows.size();) {
            const ssize_t written = write(pipe, rows.data() + sent, rows.size() - sent);
            ASSERT_GT(written, 0);
            sent += static_cast<std::size_t>(written);
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
        while (!WritingInto(tool, folder.path()) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_TRUE(WritingInto(tool, folder.path())) << "the tool never started writing";
        kill(tool, signal);
        EXPECT_EQ(WaitFor(tool), 128 + signal);
        close(pipe);
        EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"base.MDB", "c.csv"})) << signal;
        EXPECT_EQ(readFile(folder / "base.MDB"), "the previous catalogue");
    }
}

// The CSV a catalogue built from `csv` exports back.
Outcome BuildAndExport(const TempFolder& folder, const std::string& csv,
                       const std::vector<std::string>& table = {}) {
    writeFile(folder / "c.csv", csv);
    const std::string base = (folder / "base.MDB").string();
    EXPECT_EQ(RunTool({(folder / "c.csv").string(), base}).exitCode, 0);
    std::vector<std::string> arguments = {"--export", base};
    arguments.insert(arguments.end(), table.begin(), table.end());
    return RunTool(arguments);
}

TEST(CatalogueExport, TheDemoCatalogueComesBackAsItsCsv) {
    TempFolder folder;
    const std::string demo = readFile(ORVANE_DEMO_CSV);
    const Outcome exported = BuildAndExport(folder, demo);
    EXPECT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(exported.out, demo);
    EXPECT_EQ(exported.err, "");
}

TEST(CatalogueExport, EveryShapeOfTextComesBackUnchanged) {
    TempFolder folder;
    std::string csv = "Nom,cd,Description\n"
                      "Plain ASCII,CD 1,Short text\n"
                      "Éditions à l'œuvre,CD é,\"Ça coûte 10 €, à peine\"\n"
                      "Ελληνικά,Русский,日本語 한국어 עברית العربية\n"
                      "a\U0001F600b,\U00010348,\"\U0001F3B2 \"\"dés\"\" \U0001D11E\"\n"
                      "\"\",\"\",\"\"\n"
                      ",,\n"
                      "\"Deux\r\nlignes\",\"CD\n2\", espaces autour \n";
    csv += "Long,CD 9," + std::string(20000, 'x') + "\n";
    std::string accents;
    for (int i = 0; i < 3000; ++i) {
        accents += "é\U0001F600";
    }
    csv += "Accents,CD 10," + accents + "\n";
    const Outcome exported = BuildAndExport(folder, csv, {"index"});
    EXPECT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(exported.out, csv);
}

TEST(CatalogueExport, AMissingTableOrADamagedFileWritesNothingButTheReason) {
    TempFolder folder;
    const Outcome missing = BuildAndExport(folder, "Nom,cd,Description\nA,B,C\n", {"Jeux"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("ne contient pas la table \u00ab\u00a0Jeux\u00a0\u00bb"),
              std::string::npos)
        << missing.err;
    const std::string base = readFile(folder / "base.MDB");
    writeFile(folder / "cut.MDB", base.substr(0, base.size() - 100));
    const Outcome damaged = RunTool({"--export", (folder / "cut.MDB").string()});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_EQ(damaged.out, "");
    EXPECT_NE(damaged.err.find("est endommagé : il est tronqué"), std::string::npos) << damaged.err;
    const Outcome absent = RunTool({"--export", (folder / "absent.MDB").string()});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_NE(absent.err.find("ne peut pas être lu"), std::string::npos);
}
