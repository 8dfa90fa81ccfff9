#include "catalogue_tool/catalogue_csv.h"

#include <algorithm>

namespace jet_writer {

namespace {

constexpr std::array<const char*, 3> columnNames = {"Nom", "cd", "Description"};
constexpr std::size_t unset = static_cast<std::size_t>(-1);

// A name as the message shows it: a byte order mark inside it (a second one, say, after the one
// that starts the file) would be invisible, so it is spelt out.
std::string Quoted(const std::string& name) {
    const std::string mark = "\xef\xbb\xbf";
    std::string shown;
    for (std::size_t at = 0; at < name.size();) {
        if (name.compare(at, mark.size(), mark) == 0) {
            shown += "<U+FEFF>";
            at += mark.size();
        } else {
            shown += name[at++];
        }
    }
    return "« " + shown + " »";
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameLetters(const std::string& a, const std::string& b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

std::size_t CodePointCount(const std::u16string& text) {
    return text.size() -
           static_cast<std::size_t>(std::count_if(
               text.begin(), text.end(), [](char16_t u) { return u >= 0xdc00 && u <= 0xdfff; }));
}

} // namespace

CatalogueCsv::CatalogueCsv(std::istream& input, std::string sourceName)
    : reader_(input, std::move(sourceName)) {
    readHeader();
}

void CatalogueCsv::fail(TextPosition at, const std::string& problem) const {
    throw InputError(reader_.sourceName(), at, problem);
}

CatalogueCsv::Column CatalogueCsv::headerColumn(const CsvField& field) const {
    const std::string name = Trimmed(field.text);
    for (std::size_t column = 0; column < columnNames.size(); ++column) {
        if (SameLetters(name, columnNames[column])) {
            return static_cast<Column>(column);
        }
    }
    fail(field.start, (name.empty() ? std::string("colonne sans nom")
                                    : "colonne " + Quoted(name) + " inconnue") +
                          " : l'en-tête ne peut nommer que Nom, cd et Description");
}

void CatalogueCsv::readHeader() {
    if (!reader_.next(record_)) {
        fail({}, "fichier vide : la première ligne doit nommer les colonnes Nom, cd et "
                 "Description");
    }
    fieldIndex_.fill(unset);
    for (std::size_t i = 0; i < record_.fields.size(); ++i) {
        const Column column = headerColumn(record_.fields[i]);
        if (fieldIndex_[column] != unset) {
            fail(record_.fields[i].start, "colonne " + Quoted(columnNames[column]) + " en double");
        }
        fieldIndex_[column] = i;
    }
    for (std::size_t column = 0; column < columnNames.size(); ++column) {
        if (fieldIndex_[column] == unset) {
            fail(record_.end, "colonne " + Quoted(columnNames[column]) +
                                  " absente : l'en-tête doit nommer Nom, cd et Description");
        }
    }
}

void CatalogueCsv::checkFieldCount() const {
    const std::size_t count = record_.fields.size();
    if (count == columnCount) {
        return;
    }
    const std::string problem = "cette ligne a " + std::to_string(count) + " champ" +
                                (count > 1 ? "s" : "") + " alors que l'en-tête en nomme 3";
    fail(count > columnCount ? record_.fields[columnCount].start : record_.end, problem);
}

void CatalogueCsv::checkLength(Column column, const CsvField& field,
                               const std::u16string& text) const {
    const std::string name = Quoted(columnNames[column]);
    if (!text.empty() && text.front() == u'\ufeff') {
        fail(field.start, name + " commence par le caractère invisible U+FEFF, que les "
                                 "lecteurs de bases Access confondent avec une marque de "
                                 "compression");
    }
    const std::size_t limit = column == description ? maxMemoLength : maxTextLength;
    if (text.size() <= limit) {
        return;
    }
    const std::size_t characters = CodePointCount(text);
    if (characters > limit) {
        fail(field.start, name + " compte " + std::to_string(characters) + " caractères, au plus " +
                              std::to_string(limit) + " sont admis");
    }
    fail(field.start, name + " dépasse " + std::to_string(limit) +
                          " unités UTF-16 (un caractère hors du plan de base, comme un "
                          "emoji, en compte deux)");
}

std::optional<std::u16string> CatalogueCsv::value(Column column) const {
    const CsvField& field = record_.fields[fieldIndex_[column]];
    if (field.text.empty() && !field.quoted) {
        return std::nullopt;
    }
    std::u16string text = Utf8ToUtf16(field.text);
    checkLength(column, field, text);
    return text;
}

bool CatalogueCsv::next(CatalogueRow& row) {
    if (!reader_.next(record_)) {
        return false;
    }
    checkFieldCount();
    row.nom = value(nom);
    row.cd = value(cd);
    row.description = value(description);
    return true;
}

} // namespace jet_writer
