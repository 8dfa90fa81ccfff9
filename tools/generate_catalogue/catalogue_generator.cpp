#include "catalogue_generator.h"

#include "filler_text.h"
#include "random_source.h"

#include <QString>

#include <cmath>
#include <stdexcept>

namespace generator {
namespace {

std::string csvField(const std::string& value) {
    if (value.find_first_of(",\"\r\n") == std::string::npos) {
        return value;
    }
    std::string quoted = "\"";
    for (const char c : value) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

void checkOptions(const GeneratorOptions& options) {
    if (options.word.empty()) {
        throw std::invalid_argument("le mot cherché est vide");
    }
    if (!(options.share >= 0.0 && options.share <= 1.0)) {
        throw std::invalid_argument("la part des lignes doit être comprise entre 0 et 1");
    }
}

// The word as typed, with a capital, or in capitals: the search ignores letter case.
QString wordForm(const QString& word, RandomSource& random) {
    switch (random.below(3)) {
    case 0:
        return word;
    case 1:
        return word.left(1).toUpper() + word.mid(1);
    default:
        return word.toUpper();
    }
}

struct Entry {
    std::string nom;
    std::string cd;
    std::string description;
};

// Puts the word into the name, the description or both.
void insertWord(Entry& entry, const QString& word, RandomSource& random) {
    const auto place = random.below(3);
    if (place != 1) {
        entry.nom = (wordForm(word, random) + " : ").toStdString() + entry.nom;
    }
    if (place != 0) {
        entry.description += (" Thème : " + wordForm(word, random) + '.').toStdString();
    }
}

} // namespace

std::size_t RowsWithWord(const GeneratorOptions& options) {
    return std::size_t(std::llround(options.share * double(options.rows)));
}

std::size_t WriteCatalogue(const GeneratorOptions& options, std::ostream& out) {
    checkOptions(options);
    const QString word = QString::fromStdString(options.word);
    const FillerText filler(word);
    RandomSource random(options.seed);
    const std::size_t wanted = RowsWithWord(options);
    std::size_t withWord = 0;
    out << "Nom,cd,Description\r\n";
    for (std::size_t row = 0; row < options.rows; ++row) {
        Entry entry{filler.title(random), filler.cd(random), filler.description(random)};
        // Each row takes the word with the chance that leaves exactly `wanted` rows holding it.
        if (random.below(options.rows - row) < wanted - withWord) {
            insertWord(entry, word, random);
            ++withWord;
        }
        out << csvField(entry.nom) << ',' << csvField(entry.cd) << ','
            << csvField(entry.description) << "\r\n";
    }
    return withWord;
}

} // namespace generator
