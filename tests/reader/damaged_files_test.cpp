// Every file the fuzz corpora keep, damaged ones among them, read as the program reads it: a
// French message that names the file, or exactly the rows the file holds. Some of these files
// once crashed or fooled the Jet library the program used before its own reader.

#include "catalogue/catalogue_rows.h"
#include "catalogue/row_stream.h"
#include "reader/catalogue_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {

using State = catalogue::RowStreamReader::State;
using Rows = std::vector<std::vector<std::optional<std::string>>>;

const std::filesystem::path kCorpora = ORVANE_FUZZ_CORPORA;

struct Outcome {
    State state;
    std::string message;
    Rows rows;
};

Outcome readIndex(const std::filesystem::path& file) {
    const std::vector<std::string> fields{"Nom", "cd", "Description"};
    catalogue::CatalogueRows rows(fields);
    catalogue::RowStreamReader stream(rows);
    catalogue::RowStreamWriter out([&](std::string_view bytes) { stream.feed(bytes); });
    reader::ExportCatalogueTable(file, "Index", fields, out);
    Outcome outcome{stream.state(), stream.message(), {}};
    for (std::size_t row = 0; row < rows.rowCount(); ++row) {
        outcome.rows.push_back({rows.value(row, 0), rows.value(row, 1), rows.value(row, 2)});
    }
    return outcome;
}

// The three rows of the small catalogue: a null apart from an empty text.
const Rows kSmallRows{
    {"Jeu de l'oie", "CD 1", "Un jeu"}, {"École", std::nullopt, ""}, {"", "CD 3", std::nullopt}};

} // namespace

TEST(DamagedFiles, EachIsRefusedInFrenchByNameOrGivesExactlyItsRows) {
    // What each file holds: its rows, or the words of the refusal.
    const std::map<std::string, std::string> refusals{
        {"jet-library-crash-1.mdb", "est endommagé : une table de pages est introuvable"},
        {"memo-cut.mdb", "est endommagé : une table de pages désigne la page 15, hors du fichier"},
        {"properties-dumped-to-stdout.mdb", "La table «\u00a0Index\u00a0» est absente du fichier"},
        {"properties-loop.mdb", "La table «\u00a0Index\u00a0» est absente du fichier"},
        {"usage-map-lists-a-page-twice.mdb", "est endommagé : la table annonce 42 lignes"},
    };
    std::size_t files = 0;
    for (const auto& corpus : std::filesystem::directory_iterator(kCorpora)) {
        for (const auto& entry : std::filesystem::directory_iterator(corpus.path())) {
            if (entry.path().extension() != ".mdb") {
                continue;
            }
            ++files;
            const std::string name = entry.path().filename().string();
            const Outcome outcome = readIndex(entry.path());
            if (const auto refusal = refusals.find(name); refusal != refusals.end()) {
                EXPECT_EQ(outcome.state, State::Failed) << name;
                const std::string quoted = "«\u00a0" + entry.path().string() + "\u00a0»";
                EXPECT_NE(outcome.message.find(quoted), std::string::npos)
                    << name << ": " << outcome.message;
                EXPECT_NE(outcome.message.find(refusal->second), std::string::npos)
                    << name << ": " << outcome.message;
                continue;
            }
            ASSERT_EQ(outcome.state, State::Finished) << name << ": " << outcome.message;
            if (name == "empty.mdb") {
                EXPECT_TRUE(outcome.rows.empty()) << name;
            } else if (name == "memo.mdb") {
                ASSERT_EQ(outcome.rows.size(), 41u) << name;
                EXPECT_EQ(outcome.rows.front()[0], "Titre 0") << name;
                EXPECT_EQ(outcome.rows.back()[1], "CD 9") << name;
                EXPECT_EQ(outcome.rows.back()[2]->size(), 12000u) << "a memo over page chains";
            } else {
                // small.mdb, and a copy with bytes changed where no row lies.
                EXPECT_EQ(outcome.rows, kSmallRows) << name;
            }
        }
    }
    EXPECT_GE(files, 12u) << "the corpora were not found in " << kCorpora;
}
