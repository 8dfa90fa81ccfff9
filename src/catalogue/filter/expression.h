#pragma once
// A parsed filter held as a flat tree: nodes refer to one another by index, so copying and
// binding a filter are plain vector copies.

#include "catalogue/filter/like_pattern.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace catalogue::filter {

struct ExpressionNode {
    enum class Kind : std::uint8_t { Like, Not, And, Or };
    Kind kind;
    std::uint32_t first; // Like: its term; Not: its operand node; And, Or: first of operands
    std::uint32_t count; // And, Or: number of operands
};

// One "field like 'pattern'"; patterns are shared between a filter and its bound copies.
template <typename FieldRef> struct LikeTerm {
    FieldRef field;
    std::shared_ptr<const LikePattern> pattern;
};

template <typename FieldRef> struct Expression {
    std::vector<ExpressionNode> nodes;
    std::vector<std::uint32_t> operands; // node indices of the operands of And and Or nodes
    std::vector<LikeTerm<FieldRef>> terms;
    std::uint32_t root = 0;
};

// As parsed: fields by name.
using NamedExpression = Expression<std::string>;
// As bound to a table: fields by column index.
using BoundExpression = Expression<std::size_t>;

} // namespace catalogue::filter
