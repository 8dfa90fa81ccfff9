#include "search_fixture.h"

#include "catalogue/catalogue_store.h"
#include "system/child_process.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

std::string csvField(const std::optional<std::string>& value) {
    if (!value) {
        return {};
    }
    std::string text = "\"";
    for (const char c : *value) {
        text += c == '"' ? "\"\"" : std::string(1, c);
    }
    return text + '"';
}

} // namespace

const std::vector<Entry> kThreeGames = {
    {"Échecs", "CD 1", "Un jeu de plateau"},
    {"Atlas", "CD 2", "Des cartes du monde"},
    {"Jeux de mots", "CD 3", "Mots croisés"},
    {"Dames", "CD 4", "Le JEU de dames"},
};

const std::string kJeuCritere = "Nom like '*jeu*' or Description like '*jeu*'";

void PrintTo(const Shown& s, std::ostream* out) {
    *out << "{counter \"" << s.counter << "\", cd \"" << s.cd << "\", nom \"" << s.nom
         << "\", description \"" << s.description.substr(0, 60) << "\", previous " << s.previous
         << ", next " << s.next << ", critere \"" << s.critere.substr(0, 80) << "\", total "
         << s.total << ", position " << s.position << "}";
}

std::string CatalogueCsv(const std::vector<Entry>& entries) {
    std::string csv = "Nom,cd,Description\n";
    for (const Entry& entry : entries) {
        csv += csvField(entry.nom) + ',' + csvField(entry.cd) + ',' + csvField(entry.description) +
               '\n';
    }
    return csv;
}

void BuildCatalogue(const std::string& csv, const std::filesystem::path& mdbPath) {
    const TempFolder work;
    const std::filesystem::path csvPath = work.file("catalogue.csv");
    std::ofstream(csvPath, std::ios::binary) << csv;
    sys::ChildProcess builder(ORVANE_CATALOGUE_TOOL, {csvPath.string(), mdbPath.string()});
    ASSERT_TRUE(builder.Wait().Succeeded()) << "orvane-catalogue failed on " << csvPath;
}

std::string DemoCatalogueCsv() {
    std::ifstream demo(ORVANE_DEMO_CSV, std::ios::binary);
    EXPECT_TRUE(demo.good());
    std::ostringstream text;
    text << demo.rdbuf();
    return text.str();
}

void UseTestCatalogueReader() {
    catalogue::SetCatalogueReaderProgram(ORVANE_READER_PROGRAM);
    catalogue::SetCatalogueReadPatience({std::chrono::minutes(2), std::chrono::minutes(2)});
}

std::vector<std::string> WithoutPumps(const std::vector<std::string>& calls) {
    std::vector<std::string> kept;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(kept),
                 [](const std::string& call) { return call != "DoEvents()"; });
    return kept;
}

void SearchTest::SetUp() {
    UseTestCatalogueReader();
    window.appPath = folder.path().string();
}

void SearchTest::TearDown() {
    result = catalogue::SearchResult();
}

std::string SearchTest::catalogueFile() const {
    return folder.file("base.MDB").string();
}

void SearchTest::installCatalogue(const std::vector<Entry>& entries) {
    installCsv(CatalogueCsv(entries));
}

void SearchTest::installCsv(const std::string& csv) {
    BuildCatalogue(csv, catalogueFile());
}

void SearchTest::installLargeCatalogue() {
    static const TempFolder kept;
    static const std::filesystem::path built = [] {
        std::vector<Entry> entries;
        for (int i = 0; i < 32770; ++i) {
            const std::string number = std::to_string(i + 1);
            entries.push_back({"Jeu " + number, "CD " + number, "Un jeu de plus"});
            if (i % 1000 == 0) {
                entries.push_back({"Atlas " + number, "CD " + number, "Cartes"});
            }
        }
        const std::filesystem::path path = kept.file("large.MDB");
        BuildCatalogue(CatalogueCsv(entries), path);
        return path;
    }();
    std::filesystem::copy_file(built, catalogueFile(),
                               std::filesystem::copy_options::overwrite_existing);
}

void SearchTest::search(const std::string& text) {
    window.text1 = text;
    std::int16_t enter = 13, shift = 0;
    form.Text1_KeyDown(enter, shift);
}

void SearchTest::press(Arrow arrow, std::int16_t button) {
    std::int16_t shift = 0;
    float x = 0, y = 0;
    if (arrow == Arrow::Previous) {
        form.Picture4_MouseDown(button, shift, x, y);
    } else {
        form.Picture5_MouseDown(button, shift, x, y);
    }
}

Shown SearchTest::shown() {
    using app::Label;
    using app::Picture;
    return {window.captions[Label::Label4],
            window.captions[Label::Label5],
            window.captions[Label::Label6],
            window.captions[Label::Label8],
            window.visible[Picture::Picture4],
            window.visible[Picture::Picture5],
            result.critere,
            result.total,
            result.position};
}
