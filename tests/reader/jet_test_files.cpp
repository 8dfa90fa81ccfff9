#include "jet_test_files.h"

#include "catalogue_tool/catalogue_build.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace jet_test {

std::filesystem::path fixturesFolder() {
    if (const char* folder = std::getenv("ORVANE_FIXTURES_DIR")) {
        return folder;
    }
    return ORVANE_FIXTURES_DIR;
}

bool haveFixtures() {
    return std::filesystem::is_regular_file(fixturesFolder() / "nwind.mdb");
}

std::filesystem::path TempFolder::operator/(const std::string& name) const {
    if (!dir_.isValid()) {
        throw std::runtime_error("no temporary folder");
    }
    return path() / name;
}

void writeFile(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + file.string());
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path copyFixture(const TempFolder& folder, const std::string& name) {
    const auto copy = folder / name;
    writeFile(copy, readFile(fixturesFolder() / name));
    return copy;
}

std::filesystem::path buildFrom(const TempFolder& folder, const std::string& csv) {
    writeFile(folder / "catalogue.csv", csv);
    jet_writer::BuildCatalogue(folder / "catalogue.csv", folder / "base.MDB");
    return folder / "base.MDB";
}

std::string manyEntries(int count) {
    std::string csv = "Nom,cd,Description\r\n";
    for (int entry = 1; entry <= count; ++entry) {
        const std::string number = std::to_string(entry);
        csv += "Jeu " + number + ",CD " + number + ",Un jeu de société numéro " + number + "\r\n";
    }
    return csv;
}

std::string searchableEntries(int count, bool someWithoutCd) {
    std::string csv = "Nom,cd,Description\r\n";
    const std::string filler(300, 'x');
    for (int entry = 1; entry <= count; ++entry) {
        const std::string number = std::to_string(entry);
        csv += (entry % 7 == 0 ? "ÉNIGME " : "Jeu ") + number + "," +
               (someWithoutCd && entry % 5 == 0 ? "" : "CD " + number) + ",Numéro " + number + " " +
               filler + "\r\n";
    }
    return csv;
}

} // namespace jet_test
