#include "catalogue/filter/lexer.h"

#include "catalogue/filter/filter_error.h"
#include "catalogue/filter/unicode_tables.h"
#include "catalogue/filter/utf8.h"

namespace catalogue::filter {

std::string PositionText(std::string_view expression, std::size_t offset) {
    return "(position " + std::to_string(utf8::CountUnits(expression.substr(0, offset)) + 1) + ")";
}

Token Lexer::Next() {
    if (!skipSpaces()) {
        return {Token::Kind::End, {}, pos_};
    }
    const std::size_t start = pos_;
    const char c = text_[pos_];
    if (c == '\'' || c == '"') {
        return {Token::Kind::Text, quotedText(c), start};
    }
    if (c == '[') {
        return {Token::Kind::BracketName, bracketName(), start};
    }
    if (isNameCharacter(pos_)) {
        while (pos_ < text_.size() && isNameCharacter(pos_)) {
            pos_ = utf8::NextUnit(text_, pos_);
        }
        return {Token::Kind::Name, std::string(text_.substr(start, pos_ - start)), start};
    }
    pos_ = utf8::NextUnit(text_, pos_);
    const Token::Kind kind = c == '('   ? Token::Kind::LeftParen
                             : c == ')' ? Token::Kind::RightParen
                                        : Token::Kind::Other;
    return {kind, std::string(text_.substr(start, pos_ - start)), start};
}

char32_t Lexer::codePointAt(std::size_t pos) const {
    return utf8::Decode(text_.substr(pos, utf8::NextUnit(text_, pos) - pos));
}

bool Lexer::isNameCharacter(std::size_t pos) const {
    const char32_t c = codePointAt(pos);
    return c == U'_' || IsLetterOrNumber(c);
}

// Moves past blanks; false at the end of the expression.
bool Lexer::skipSpaces() {
    while (pos_ < text_.size() && IsSpace(codePointAt(pos_))) {
        pos_ = utf8::NextUnit(text_, pos_);
    }
    return pos_ < text_.size();
}

// A text between quotes; the quote doubled inside stands for itself.
std::string Lexer::quotedText(char quote) {
    const std::size_t start = pos_;
    std::string content;
    ++pos_;
    while (true) {
        const std::size_t close = text_.find(quote, pos_);
        if (close == std::string_view::npos) {
            const char* quotes = quote == '\'' ? "apostrophes" : "guillemets";
            throw IncorrectFilter("texte entre " + std::string(quotes) + " non terminé " +
                                  PositionText(text_, start) + ".");
        }
        content += text_.substr(pos_, close - pos_);
        pos_ = close + 1;
        if (pos_ >= text_.size() || text_[pos_] != quote) {
            return content;
        }
        content += quote;
        ++pos_;
    }
}

std::string Lexer::bracketName() {
    const std::size_t start = pos_;
    const std::size_t close = text_.find(']', pos_ + 1);
    if (close == std::string_view::npos) {
        throw IncorrectFilter("nom de champ entre crochets non terminé " +
                              PositionText(text_, start) + ".");
    }
    pos_ = close + 1;
    if (close == start + 1) {
        throw IncorrectFilter("nom de champ vide " + QuotedPiece("[]") + " " +
                              PositionText(text_, start) + ".");
    }
    return std::string(text_.substr(start + 1, close - start - 1));
}

} // namespace catalogue::filter
