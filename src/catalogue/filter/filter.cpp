#include "catalogue/filter/filter.h"

#include "catalogue/filter/parser.h"

#include <algorithm>

namespace catalogue::filter {

Filter Filter::Parse(std::string_view expression) {
    return Filter(ParseExpression(expression));
}

BoundFilter Filter::Bind(const std::vector<std::string>& columnNames) const {
    std::vector<std::string> foldedColumns;
    foldedColumns.reserve(columnNames.size());
    for (const std::string& name : columnNames) {
        foldedColumns.push_back(FoldCase(name));
    }
    BoundExpression bound{expression_.nodes, expression_.operands, {}, expression_.root};
    for (const auto& term : expression_.terms) {
        const std::string field = FoldCase(term.field);
        const auto column = std::find(foldedColumns.begin(), foldedColumns.end(), field);
        if (column == foldedColumns.end()) {
            throw IncorrectFilter("champ inconnu " + QuotedPiece(term.field) + ".");
        }
        bound.terms.push_back({std::size_t(column - foldedColumns.begin()), term.pattern});
    }
    return BoundFilter(std::move(bound));
}

bool BoundFilter::Matches(std::span<const std::optional<std::string_view>> foldedCells) const {
    return evaluate(expression_.root, foldedCells) == Truth::True;
}

// Whether the tree under node is made of "or" nodes over nodes of the given kind.
bool BoundFilter::onlyOrOf(std::uint32_t index, ExpressionNode::Kind kind) const {
    const ExpressionNode& node = expression_.nodes[index];
    if (node.kind != ExpressionNode::Kind::Or) {
        return node.kind == kind;
    }
    for (std::uint32_t i = 0; i < node.count; ++i) {
        if (!onlyOrOf(expression_.operands[node.first + i], kind)) {
            return false;
        }
    }
    return true;
}

// Without "not", an "and" or an "or" is true only when one of its operands is, so a row that
// matches has a true like term, and a true term's column holds the term's required text.
std::optional<RowNeeds> BoundFilter::Needs() const {
    for (const ExpressionNode& node : expression_.nodes) {
        if (node.kind == ExpressionNode::Kind::Not) {
            return std::nullopt;
        }
    }
    RowNeeds needs;
    needs.exact = onlyOrOf(expression_.root, ExpressionNode::Kind::Like);
    for (const auto& term : expression_.terms) {
        const std::string_view text = term.pattern->RequiredText();
        if (text.empty()) {
            return std::nullopt;
        }
        needs.exact = needs.exact && term.pattern->IsContains();
        const auto same =
            std::find_if(needs.anyOf.begin(), needs.anyOf.end(),
                         [&](const RowNeeds::Need& need) { return need.text == text; });
        if (same == needs.anyOf.end()) {
            needs.anyOf.push_back({std::string(text), {term.field}});
        } else if (std::find(same->columns.begin(), same->columns.end(), term.field) ==
                   same->columns.end()) {
            same->columns.push_back(term.field);
        }
    }
    return needs;
}

BoundFilter::Truth
BoundFilter::evaluate(std::uint32_t index,
                      std::span<const std::optional<std::string_view>> cells) const {
    const ExpressionNode& node = expression_.nodes[index];
    switch (node.kind) {
    case ExpressionNode::Kind::Like: {
        const auto& term = expression_.terms[node.first];
        if (term.field >= cells.size() || !cells[term.field]) {
            return Truth::Unknown;
        }
        return term.pattern->Matches(*cells[term.field]) ? Truth::True : Truth::False;
    }
    case ExpressionNode::Kind::Not: {
        const Truth operand = evaluate(node.first, cells);
        return operand == Truth::Unknown ? Truth::Unknown
               : operand == Truth::True  ? Truth::False
                                         : Truth::True;
    }
    case ExpressionNode::Kind::And:
        return evaluateList(node, Truth::False, cells);
    case ExpressionNode::Kind::Or:
        return evaluateList(node, Truth::True, cells);
    }
    return Truth::Unknown;
}

// "and" is decided by the first false operand, "or" by the first true one; otherwise an unknown
// operand makes the whole unknown.
BoundFilter::Truth
BoundFilter::evaluateList(const ExpressionNode& node, Truth decisive,
                          std::span<const std::optional<std::string_view>> cells) const {
    bool unknown = false;
    for (std::uint32_t i = 0; i < node.count; ++i) {
        const Truth operand = evaluate(expression_.operands[node.first + i], cells);
        if (operand == decisive) {
            return decisive;
        }
        unknown = unknown || operand == Truth::Unknown;
    }
    if (unknown) {
        return Truth::Unknown;
    }
    return decisive == Truth::True ? Truth::False : Truth::True;
}

} // namespace catalogue::filter
