#pragma once
// Reads a filter expression:
//   or-list   := and-list { "or" and-list }
//   and-list  := negation { "and" negation }
//   negation  := "not" negation | primary
//   primary   := "(" or-list ")" | field [ "not" ] "like" text
// Keywords ignore letter case; a field is a bare name or a name in brackets; a text is quoted
// with ' or ", the quote doubled inside standing for itself.

#include "catalogue/filter/expression.h"

#include <string_view>

namespace catalogue::filter {

// Parentheses and "not" may nest this deep; deeper filters are refused rather than risk the stack.
inline constexpr int kMaxNesting = 200;

// Throws FilterError with a French message naming what is wrong and where.
NamedExpression ParseExpression(std::string_view expression);

} // namespace catalogue::filter
