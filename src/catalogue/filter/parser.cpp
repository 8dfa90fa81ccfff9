#include "catalogue/filter/parser.h"

#include "catalogue/filter/filter_error.h"
#include "catalogue/filter/lexer.h"

#include <algorithm>

namespace catalogue::filter {
namespace {

using Kind = Token::Kind;
using NodeKind = ExpressionNode::Kind;

bool isKeyword(const Token& token, std::string_view keyword) {
    return token.kind == Kind::Name &&
           std::equal(token.text.begin(), token.text.end(), keyword.begin(), keyword.end(),
                      [](char a, char b) { return (a | 0x20) == b; });
}

bool isAnyKeyword(const Token& token) {
    return isKeyword(token, "or") || isKeyword(token, "and") || isKeyword(token, "not") ||
           isKeyword(token, "like");
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text), lexer_(text), current_(lexer_.Next()) {}

    NamedExpression Run() {
        if (peek().kind == Kind::End) {
            throw IncorrectFilter("le filtre est vide.");
        }
        result_.root = parseOr(0);
        if (peek().kind == Kind::RightParen) {
            throw IncorrectFilter("parenthèse fermante " + QuotedPiece(")") +
                                  " sans parenthèse ouvrante " +
                                  PositionText(text_, peek().offset) + ".");
        }
        if (peek().kind != Kind::End) {
            throw IncorrectFilter(describe(peek()) + " inattendu après la fin de l'expression.");
        }
        return std::move(result_);
    }

private:
    using Level = std::uint32_t (Parser::*)(int);

    const Token& peek() const { return current_; }
    void advance() { current_ = lexer_.Next(); }

    // The token as quoted in a message.
    std::string describe(const Token& token) const {
        if (token.kind == Kind::End) {
            return "la fin du filtre";
        }
        return QuotedPiece(token.text) + " " + PositionText(text_, token.offset);
    }

    static void checkNesting(int depth) {
        if (depth > kMaxNesting) {
            throw IncorrectFilter("trop de niveaux d'imbrication (" + std::to_string(kMaxNesting) +
                                  " au plus).");
        }
    }

    std::uint32_t addNode(NodeKind kind, std::uint32_t first, std::uint32_t count) {
        result_.nodes.push_back({kind, first, count});
        return std::uint32_t(result_.nodes.size() - 1);
    }

    std::uint32_t parseOr(int depth) {
        return parseList(depth, "or", NodeKind::Or, &Parser::parseAnd);
    }

    std::uint32_t parseAnd(int depth) {
        return parseList(depth, "and", NodeKind::And, &Parser::parseNot);
    }

    // Operands joined by one keyword, kept as a single node with all of them, so that long
    // chains do not make the tree deep.
    std::uint32_t parseList(int depth, std::string_view keyword, NodeKind kind, Level operand) {
        std::vector<std::uint32_t> items{(this->*operand)(depth)};
        while (isKeyword(peek(), keyword)) {
            advance();
            items.push_back((this->*operand)(depth));
        }
        if (items.size() == 1) {
            return items.front();
        }
        const auto first = std::uint32_t(result_.operands.size());
        result_.operands.insert(result_.operands.end(), items.begin(), items.end());
        return addNode(kind, first, std::uint32_t(items.size()));
    }

    std::uint32_t parseNot(int depth) {
        if (!isKeyword(peek(), "not")) {
            return parsePrimary(depth);
        }
        advance();
        checkNesting(depth + 1);
        return addNode(NodeKind::Not, parseNot(depth + 1), 0);
    }

    std::uint32_t parsePrimary(int depth) {
        if (peek().kind == Kind::LeftParen) {
            checkNesting(depth + 1);
            advance();
            const std::uint32_t inner = parseOr(depth + 1);
            if (peek().kind != Kind::RightParen) {
                throw IncorrectFilter("parenthèse fermante " + QuotedPiece(")") +
                                      " attendue au lieu de " + describe(peek()) + ".");
            }
            advance();
            return inner;
        }
        const bool bareName = peek().kind == Kind::Name && !isAnyKeyword(peek());
        if (!bareName && peek().kind != Kind::BracketName) {
            throw IncorrectFilter("nom de champ attendu au lieu de " + describe(peek()) + ".");
        }
        return parseLike();
    }

    std::uint32_t parseLike() {
        std::string field = peek().text;
        advance();
        const bool negated = isKeyword(peek(), "not");
        if (negated) {
            advance();
        }
        if (!isKeyword(peek(), "like")) {
            if (peek().kind == Kind::End) {
                throw IncorrectFilter("opérateur like attendu après le champ " +
                                      QuotedPiece(field) + ".");
            }
            throw IncorrectFilter("opérateur inconnu " + describe(peek()) + " après le champ " +
                                  QuotedPiece(field) + " ; seul like est accepté.");
        }
        advance();
        if (peek().kind != Kind::Text) {
            throw IncorrectFilter("motif entre apostrophes attendu après like au lieu de " +
                                  describe(peek()) + ".");
        }
        auto pattern = std::make_shared<const LikePattern>(LikePattern::Compile(peek().text));
        advance();
        result_.terms.push_back({std::move(field), std::move(pattern)});
        const std::uint32_t like =
            addNode(NodeKind::Like, std::uint32_t(result_.terms.size() - 1), 0);
        return negated ? addNode(NodeKind::Not, like, 0) : like;
    }

    std::string_view text_;
    Lexer lexer_;
    Token current_;
    NamedExpression result_;
};

} // namespace

NamedExpression ParseExpression(std::string_view expression) {
    return Parser(expression).Run();
}

} // namespace catalogue::filter
