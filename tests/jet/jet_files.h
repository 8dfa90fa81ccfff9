#pragma once
// Files for the Jet reader's tests: the public Access files beside the repository, catalogues
// made by the catalogue builder, whole tables read as text.

#include "jet/database.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace jet_test {

using FileBytes = std::vector<std::uint8_t>;
// A row as the reader gives it: each field's text, or nothing for a null.
using TextRow = std::vector<std::optional<std::string>>;

std::filesystem::path FixturesFolder();
bool HaveFixtures();

FileBytes ReadBytes(const std::filesystem::path& file);

// The bytes of base.MDB as the catalogue builder makes it from this CSV text (header included).
FileBytes BuildCatalogue(const std::string& csv);

// Every row of the table, these columns (all when empty) in that order.
std::vector<TextRow> ReadTable(const FileBytes& file, const std::string& table,
                               const std::vector<std::string>& columns = {});

// The French message the reader gives for these bytes reading table Index, or "" when it reads.
std::string RefusalOf(const FileBytes& file, const std::string& table = "Index");

} // namespace jet_test

// Skips the current test when the public Access files are absent (as on CI).
#define REQUIRE_JET_FIXTURES()                                                                     \
    if (!jet_test::HaveFixtures())                                                                 \
    GTEST_SKIP() << "needs ../shared/fixtures (public Access files beside the repository), "       \
                    "absent from "                                                                 \
                 << jet_test::FixturesFolder()
