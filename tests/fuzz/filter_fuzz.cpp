// Fuzzes the filter engine. The input is read as lines: the first is a filter expression, the
// next three the cells cd, Nom and Description ("\N" stands for a null). The filter is parsed,
// bound and matched against the cells; a malformed one must give a FilterError, never anything
// worse. The first line is also taken as a bare like pattern and matched against Nom, and the
// answer compared with a slow but plain reference matcher. A table of rows made from the cells
// is then searched with the filter the way the catalogue store does it (by the text that every
// match holds, where the filter has one), and must give the rows that matching each row gives;
// and the search for a text in a run of bytes must agree with a plain find.

#include "catalogue/catalogue_rows.h"
#include "catalogue/filter/filter.h"
#include "catalogue/filter/like_pattern.h"
#include "catalogue/filter/text_search.h"
#include "catalogue/match_list.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace catalogue::filter;

namespace {

std::vector<std::string_view> splitLines(std::string_view input) {
    std::vector<std::string_view> lines;
    while (lines.size() < 4) {
        const std::size_t end = input.find('\n');
        lines.push_back(input.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        input.remove_prefix(end + 1);
    }
    lines.resize(4);
    return lines;
}

// One element of a like pattern, for the reference matcher.
struct Item {
    enum Kind { Star, AnyChar, Digit, Char, Class };
    Item(Kind k, char32_t character = 0) : kind(k), c(character) {}

    Kind kind;
    char32_t c;
    std::vector<std::pair<char32_t, char32_t>> ranges;
    bool negated = false;
};

char32_t fold(char32_t c) {
    return QChar::toCaseFolded(c);
}

// Reads the pattern by the documented rules; nullopt where Compile must refuse it.
std::optional<std::vector<Item>> readPattern(const std::u32string& p) {
    std::vector<Item> items;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] == U'*' || p[i] == U'?' || p[i] == U'#') {
            items.emplace_back(p[i] == U'*'   ? Item::Star
                               : p[i] == U'?' ? Item::AnyChar
                                              : Item::Digit);
            continue;
        }
        if (p[i] != U'[') {
            items.emplace_back(Item::Char, p[i]);
            continue;
        }
        const std::size_t close = p.find(U']', i + 1);
        if (close == std::u32string::npos) {
            return std::nullopt;
        }
        std::u32string members = p.substr(i + 1, close - i - 1);
        i = close;
        if (members.size() == 1) {
            items.emplace_back(Item::Char, members[0]);
        } else if (!members.empty()) {
            Item item(Item::Class);
            item.negated = members[0] == U'!';
            if (item.negated) {
                members.erase(0, 1);
            }
            for (std::size_t k = 0; k < members.size(); ++k) {
                if (k + 2 < members.size() && members[k + 1] == U'-') {
                    if (members[k] > members[k + 2]) {
                        return std::nullopt;
                    }
                    item.ranges.emplace_back(members[k], members[k + 2]);
                    k += 2;
                } else {
                    item.ranges.emplace_back(members[k], members[k]);
                }
            }
            items.push_back(item);
        }
    }
    return items;
}

bool matchesOne(const Item& item, char32_t c) {
    switch (item.kind) {
    case Item::AnyChar:
        return true;
    case Item::Digit:
        return c >= U'0' && c <= U'9';
    case Item::Char:
        return fold(item.c) == c;
    case Item::Class: {
        bool listed = false;
        for (const auto& [first, last] : item.ranges) {
            listed = listed || (c >= first && c <= last) || (c >= fold(first) && c <= fold(last));
        }
        return listed != item.negated;
    }
    case Item::Star:
        break;
    }
    return false;
}

// The set of text positions reachable after each item; text is already folded.
bool referenceMatch(const std::vector<Item>& items, const std::u32string& text) {
    std::vector<bool> reach(text.size() + 1, false);
    reach[0] = true;
    for (const Item& item : items) {
        std::vector<bool> next(text.size() + 1, false);
        for (std::size_t j = 0; j <= text.size(); ++j) {
            if (item.kind == Item::Star) {
                next[j] = reach[j] || (j > 0 && next[j - 1]);
            } else if (j > 0 && reach[j - 1] && matchesOne(item, text[j - 1])) {
                next[j] = true;
            }
        }
        reach.swap(next);
    }
    return reach[text.size()];
}

bool isValidUtf8(std::string_view text) {
    const QString decoded = QString::fromUtf8(text.data(), qsizetype(text.size()));
    return decoded.toUtf8() == QByteArray(text.data(), qsizetype(text.size()));
}

std::u32string toUcs4(std::string_view text) {
    const QList<uint> codePoints = QString::fromUtf8(text.data(), qsizetype(text.size())).toUcs4();
    return std::u32string(codePoints.begin(), codePoints.end());
}

void checkAgainstReference(std::string_view pattern, std::string_view text) {
    std::optional<LikePattern> compiled;
    try {
        compiled = LikePattern::Compile(pattern);
    } catch (const FilterError&) {
    }
    if (!isValidUtf8(pattern) || !isValidUtf8(text) || pattern.size() > 200 || text.size() > 2000) {
        return;
    }
    const std::string folded = FoldCase(text);
    const auto items = readPattern(toUcs4(pattern));
    if (items.has_value() != compiled.has_value()) {
        std::abort(); // one refuses the pattern and the other does not
    }
    if (compiled && compiled->Matches(folded) != referenceMatch(*items, toUcs4(folded))) {
        std::abort();
    }
}

// Rows of the three cells in turn and repeated, so that a text may lie across two values or two
// rows.
catalogue::CatalogueRows rowsOf(const std::vector<std::string_view>& lines) {
    catalogue::CatalogueRows rows({"cd", "Nom", "Description"});
    const auto cell = [&](std::size_t i) -> std::optional<std::string_view> {
        const std::string_view line = lines[1 + i % 3];
        return line == "\\N" ? std::nullopt : std::optional(line);
    };
    for (std::size_t shift = 0; shift < 6; ++shift) {
        const std::array<std::optional<std::string_view>, 3> row{
            cell(shift), cell(shift + 1 + shift / 3), cell(shift + 2)};
        rows.appendRow(row);
    }
    return rows;
}

void checkTableSearch(const BoundFilter& bound, const std::vector<std::string_view>& lines) {
    const catalogue::CatalogueRows rows = rowsOf(lines);
    std::vector<std::size_t> expected;
    std::vector<std::optional<std::string_view>> cells(rows.columnCount());
    for (std::size_t row = 0; row < rows.rowCount(); ++row) {
        rows.foldedRow(row, cells);
        if (bound.Matches(cells)) {
            expected.push_back(row);
        }
    }
    catalogue::MatchList matches(rows, bound);
    std::vector<std::size_t> found;
    for (auto row = matches.first(); row; row = matches.after(*row)) {
        found.push_back(*row);
    }
    if (found != expected ||
        matches.last() != (expected.empty() ? std::nullopt : std::optional(expected.back()))) {
        std::abort();
    }
}

void checkFilter(const std::vector<std::string_view>& lines) {
    std::vector<std::string> folded;
    std::vector<std::optional<std::string_view>> cells;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        folded.push_back(FoldCase(lines[i]));
    }
    for (std::size_t i = 0; i < folded.size(); ++i) {
        cells.push_back(lines[i + 1] == "\\N" ? std::nullopt
                                              : std::optional<std::string_view>(folded[i]));
    }
    try {
        const BoundFilter bound = Filter::Parse(lines[0]).Bind({"cd", "Nom", "Description"});
        bound.Matches(cells);
        checkTableSearch(bound, lines);
    } catch (const FilterError&) {
    }
}

// The first line searched for in the last, from every place near its start.
void checkTextSearch(std::string_view needle, std::string_view text) {
    if (needle.empty()) {
        return; // the store never searches for nothing
    }
    for (std::size_t from = 0; from <= std::min<std::size_t>(text.size(), 100); ++from) {
        const char* found = FindText(text.data() + from, text.data() + text.size(), needle);
        const std::size_t expected = text.find(needle, from);
        if ((found == nullptr) != (expected == std::string_view::npos) ||
            (found != nullptr && std::size_t(found - text.data()) != expected)) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> lines = splitLines(input);
    checkFilter(lines);
    checkAgainstReference(lines[0], lines[2]);
    checkTextSearch(lines[0], lines[3]);
    return 0;
}
