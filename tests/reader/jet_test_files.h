#pragma once
// Files for the Jet reader's tests: the public Access-written fixtures, catalogues made by the
// catalogue builder, a private temporary folder, whole-file reads and writes.

#include <QTemporaryDir>

#include <filesystem>
#include <string>
#include <string_view>

namespace jet_test {

// The folder of public Access files that lies beside the repository, when it is there.
std::filesystem::path fixturesFolder();
bool haveFixtures();

class TempFolder {
public:
    std::filesystem::path operator/(const std::string& name) const;
    const std::filesystem::path path() const { return dir_.path().toStdString(); }

private:
    QTemporaryDir dir_;
};

void writeFile(const std::filesystem::path& file, std::string_view bytes);
std::string readFile(const std::filesystem::path& file);
// A writable copy of a fixture in folder.
std::filesystem::path copyFixture(const TempFolder& folder, const std::string& name);
// base.MDB in folder, made by the catalogue builder from CSV text (header line included).
std::filesystem::path buildFrom(const TempFolder& folder, const std::string& csv);
// CSV text of a catalogue of that many entries, whose rows fill several pages.
std::string manyEntries(int count);
// CSV text of that many entries to search, each with a description of 300 bytes more, so that
// they fill megabytes: every seventh named "ÉNIGME n", the others "Jeu n"; with someWithoutCd,
// every fifth has no cd.
std::string searchableEntries(int count, bool someWithoutCd);

} // namespace jet_test

// Skips the current test when the public Access files are absent.
#define REQUIRE_JET_FIXTURES()                                                                     \
    if (!jet_test::haveFixtures())                                                                 \
    GTEST_SKIP() << "public Access files not found in " << jet_test::fixturesFolder()              \
                 << " (the shared fixtures folder beside the repository)"
