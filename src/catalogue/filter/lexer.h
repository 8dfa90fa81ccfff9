#pragma once
// Cuts a filter expression into tokens, one at a time as the parser asks for them: names (bare or
// in brackets), quoted texts, parentheses and any other single character, which the parser then
// rejects where it does not fit.

#include <cstddef>
#include <string>
#include <string_view>

namespace catalogue::filter {

struct Token {
    enum class Kind { Name, BracketName, Text, LeftParen, RightParen, Other, End };
    Kind kind;
    std::string text;   // the name, the text without its quotes, or the character itself
    std::size_t offset; // byte offset in the expression
};

// "(position N)", N the 1-based character position of offset in expression, for messages.
std::string PositionText(std::string_view expression, std::size_t offset);

class Lexer {
public:
    explicit Lexer(std::string_view expression) : text_(expression) {}

    // The next token; End once the expression is used up. Throws FilterError for a quoted text
    // or a bracketed name that is not closed.
    Token Next();

private:
    char32_t codePointAt(std::size_t pos) const;
    bool isNameCharacter(std::size_t pos) const;
    bool skipSpaces();
    std::string quotedText(char quote);
    std::string bracketName();

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace catalogue::filter
