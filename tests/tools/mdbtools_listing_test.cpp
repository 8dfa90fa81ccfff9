// Files written by orvane-catalogue as Debian's mdbtools commands list them: the same table,
// columns and rows. Those commands decode characters beyond the first plane as "??" and print
// null and empty text alike, so the rows here avoid both.

#include "catalogue_tool/catalogue_build.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

using test_files::TempFolder;

namespace {

// The standard output of a shell command, and its exit status.
std::string RunCommand(const std::string& command, int& status) {
    std::string output;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    std::array<char, 65536> buffer{};
    for (std::size_t read; (read = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        output.append(buffer.data(), read);
    status = pclose(pipe);
    return output;
}

std::string RunCommand(const std::string& command) {
    int status = -1;
    std::string output = RunCommand(command, status);
    EXPECT_EQ(status, 0) << command;
    return output;
}

class MdbTools : public testing::Test {
protected:
    void SetUp() override {
        int status = -1;
        RunCommand("command -v mdb-export mdb-tables mdb-schema mdb-count mdb-ver", status);
        if (status != 0)
            GTEST_SKIP() << "mdbtools' commands are not installed (Debian package mdbtools)";
    }

    std::string build(const std::string& csv) {
        test_files::writeFile(folder_ / "catalogue.csv", csv);
        jet_writer::BuildCatalogue(folder_ / "catalogue.csv", folder_ / "base.MDB");
        std::string quoted = "'";
        quoted += (folder_ / "base.MDB").string();
        quoted += '\'';
        return quoted;
    }

    TempFolder folder_;
};

} // namespace

TEST_F(MdbTools, ListTheTableAndItsColumns) {
    const std::string file = build("Nom,cd,Description\n");
    EXPECT_EQ(RunCommand("mdb-ver " + file), "JET4\n");
    EXPECT_EQ(RunCommand("mdb-tables -1 " + file), "Index\n");
    EXPECT_EQ(RunCommand("mdb-tables -1 -S " + file),
              "MSysObjects\nMSysACEs\nMSysQueries\nMSysRelationships\nIndex\n");
    const std::string schema = RunCommand("mdb-schema " + file);
    EXPECT_NE(schema.find("CREATE TABLE [Index]\n (\n"
                          "\t[Nom]\t\t\tText (255), \n"
                          "\t[cd]\t\t\tText (255), \n"
                          "\t[Description]\t\t\tMemo/Hyperlink (255)\n);"),
              std::string::npos)
        << schema;
}

TEST_F(MdbTools, ExportTheRowsInOrder) {
    std::string csv = "Nom,cd,Description\n";
    std::string expected = "Nom,cd,Description\n";
    for (int i = 0; i < 3000; ++i) {
        const std::string nom = "\"Jeu \xc3\xa9"
                                "ducatif n\xc2\xb0" +
                                std::to_string(i) + "\"";
        std::string cd = "\"CD";
        cd += std::to_string(i % 7);
        cd += '"';
        std::string description = "\"";
        description.append(static_cast<std::size_t>(i % 4 * 1500), 'd');
        description += '"';
        csv += nom + "," + cd + "," + description + "\n";
        expected += nom + "," + cd + "," + (i % 4 == 0 ? std::string() : description) + "\n";
    }
    const std::string file = build(csv);
    EXPECT_EQ(RunCommand("mdb-count " + file + " Index"), "3000\n");
    EXPECT_TRUE(RunCommand("mdb-export " + file + " Index") == expected);
}
