#pragma once
// The catalogue's filter engine: a filter such as
//     Nom like '*jeu*' or Description like '*jeu*'
// is parsed once (Filter), bound once to a table's column names (BoundFilter), then tested
// against each row. Letter case is ignored across Unicode (É matches é) while accents count
// (e does not match é). A comparison with a null field is unknown, as in SQL: "not" keeps it
// unknown, "and" and "or" combine it in three-valued logic, and a row matches only when the whole
// filter is true.

#include "catalogue/filter/expression.h"
#include "catalogue/filter/filter_error.h"
#include "catalogue/filter/fold_case.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue::filter {

class BoundFilter;

class Filter {
public:
    // Throws FilterError for a malformed filter.
    static Filter Parse(std::string_view expression);

    // Resolves field names against the columns, without regard to letter case; the first of two
    // equal names wins. Throws FilterError naming a field that no column has.
    BoundFilter Bind(const std::vector<std::string>& columnNames) const;

private:
    explicit Filter(NamedExpression expression) : expression_(std::move(expression)) {}

    NamedExpression expression_;
};

// What a row must hold for a filter to be true, so that a table can be searched for that text
// instead of testing each row: a row can match only if, for one of the needs, the needed text
// lies within the folded value of one of its columns. When exact, the rows that satisfy the
// needs are exactly the matches; otherwise each such row is still to be tested.
struct RowNeeds {
    struct Need {
        std::string text; // folded, not empty
        std::vector<std::size_t> columns;
    };
    std::vector<Need> anyOf;
    bool exact = false;
};

class BoundFilter {
public:
    // foldedCells[i] is the text of column i passed through FoldCase, or nullopt for a null.
    // A column the row lacks counts as null.
    bool Matches(std::span<const std::optional<std::string_view>> foldedCells) const;

    // The needs of this filter, or nullopt when a row could match without holding any given
    // text: a "not" can make a row true that holds nothing, and so can a pattern such as * or ?.
    std::optional<RowNeeds> Needs() const;

private:
    friend class Filter;
    enum class Truth : unsigned char { False, Unknown, True };

    explicit BoundFilter(BoundExpression expression) : expression_(std::move(expression)) {}

    Truth evaluate(std::uint32_t node,
                   std::span<const std::optional<std::string_view>> cells) const;
    bool onlyOrOf(std::uint32_t node, ExpressionNode::Kind kind) const;
    Truth evaluateList(const ExpressionNode& node, Truth decisive,
                       std::span<const std::optional<std::string_view>> cells) const;

    BoundExpression expression_;
};

} // namespace catalogue::filter
