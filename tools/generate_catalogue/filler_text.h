#pragma once
// Plausible French catalogue text (titles, CD names, descriptions) that never contains a
// given word, letter case ignored: the words that hold it are left out of the vocabulary, and
// a text that still holds it across words is drawn again.

#include "random_source.h"

#include <QString>

#include <string>
#include <vector>

namespace generator {

class FillerText {
public:
    // Throws std::invalid_argument when the word is so common that the text cannot avoid it.
    explicit FillerText(const QString& avoided);

    std::string title(RandomSource& random) const;
    std::string cd(RandomSource& random) const;
    std::string description(RandomSource& random) const;

private:
    using Pieces = std::vector<QString>;
    Pieces keep(const Pieces& pieces) const;
    std::string avoiding(RandomSource& random,
                         QString (FillerText::*compose)(RandomSource&) const) const;
    QString composeTitle(RandomSource& random) const;
    QString composeDescription(RandomSource& random) const;
    static const QString& pick(const Pieces& pieces, RandomSource& random);

    QString avoided_;
    Pieces subjects_, topics_, editions_, openers_, objects_, manners_, remarks_;
};

} // namespace generator
