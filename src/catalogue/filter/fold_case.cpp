#include "catalogue/filter/fold_case.h"

#include "catalogue/filter/utf8.h"

#include <QChar>

namespace catalogue::filter {

namespace {

bool isTwoByteSequence(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    return lead >= 0xC2 && lead <= 0xDF && pos + 1 < text.size() &&
           utf8::IsContinuation(text[pos + 1]) &&
           (pos + 2 == text.size() || !utf8::IsContinuation(text[pos + 2]));
}

// Folds the character at pos, appends it and returns where the next one starts. Latin, Greek
// and Cyrillic letters take two bytes and get a short path of their own.
std::size_t foldCharacter(std::string_view text, std::size_t pos, std::string& folded) {
    if (isTwoByteSequence(text, pos)) {
        const char32_t codePoint = char32_t(text[pos] & 0x1F) << 6 | char32_t(text[pos + 1] & 0x3F);
        utf8::AppendEncoded(folded, FoldCodePoint(codePoint));
        return pos + 2;
    }
    const std::size_t next = utf8::NextUnit(text, pos);
    utf8::AppendEncoded(folded, FoldCodePoint(utf8::Decode(text.substr(pos, next - pos))));
    return next;
}

} // namespace

// Runs of ASCII are folded in bulk and other characters one by one, rather than going through
// QString: the store folds every cell of a large catalogue, and most text is ASCII.
std::string FoldCase(std::string_view utf8) {
    std::string folded;
    folded.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t runEnd = pos;
        while (runEnd < utf8.size() && static_cast<unsigned char>(utf8[runEnd]) < 0x80) {
            ++runEnd;
        }
        const std::size_t runStart = folded.size();
        folded.append(utf8.substr(pos, runEnd - pos));
        for (auto it = folded.begin() + std::ptrdiff_t(runStart); it != folded.end(); ++it) {
            *it = *it >= 'A' && *it <= 'Z' ? char(*it - 'A' + 'a') : *it;
        }
        pos = runEnd < utf8.size() ? foldCharacter(utf8, runEnd, folded) : runEnd;
    }
    return folded;
}

char32_t FoldCodePoint(char32_t codePoint) {
    return QChar::toCaseFolded(codePoint);
}

} // namespace catalogue::filter
