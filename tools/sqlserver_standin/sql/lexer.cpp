#include "sql/lexer.h"

#include <cctype>

#include "text.h"

namespace wf::standin {
namespace {

bool isWordStart(char c) {
    auto u = static_cast<unsigned char>(c);
    return std::isalpha(u) || c == '_' || c == '#' || u >= 0x80;
}

bool isWordPart(char c) {
    return isWordStart(c) || std::isdigit(static_cast<unsigned char>(c)) || c == '$' || c == '@';
}

class Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) {}

    std::vector<SqlToken> run() {
        std::vector<SqlToken> tokens;
        while (skipBlankAndComments()) tokens.push_back(next());
        return tokens;
    }

private:
    char at(std::size_t offset = 0) const { return at_ + offset < text_.size() ? text_[at_ + offset] : '\0'; }

    void advance(std::size_t count = 1) {
        for (std::size_t i = 0; i < count && at_ < text_.size(); ++i) {
            if (text_[at_] == '\n') ++line_;
            ++at_;
        }
    }

    // Skips blanks and comments; false at the end of the text.
    bool skipBlankAndComments() {
        for (;;) {
            if (at_ >= text_.size()) return false;
            if (std::isspace(static_cast<unsigned char>(at()))) {
                advance();
            } else if (at() == '-' && at(1) == '-') {
                while (at_ < text_.size() && at() != '\n') advance();
            } else if (at() == '/' && at(1) == '*') {
                advance(2);
                while (at_ < text_.size() && !(at() == '*' && at(1) == '/')) advance();
                advance(2);
            } else {
                return true;
            }
        }
    }

    // Reads up to the closing quote; a doubled closing quote stands for itself.
    std::string quoted(char close) {
        int startLine = line_;
        advance();
        std::size_t start = at_;
        std::string value;
        for (;;) {
            if (at_ >= text_.size()) throw UnclosedQuote(std::string(text_.substr(start)), startLine);
            if (at() == close) {
                if (at(1) != close) break;
                advance();
            }
            value.push_back(at());
            advance();
        }
        advance();
        return value;
    }

    SqlToken next() {
        SqlToken token;
        token.line = line_;
        char c = at();
        if ((c == 'N' || c == 'n') && at(1) == '\'') {
            advance();
            token.kind = TokenKind::String;
            token.text = quoted('\'');
        } else if (c == '\'') {
            token.kind = TokenKind::String;
            token.text = quoted('\'');
        } else if (c == '[') {
            token.kind = TokenKind::QuotedName;
            token.text = quoted(']');
        } else if (c == '"') {
            token.kind = TokenKind::QuotedName;
            token.text = quoted('"');
        } else if (std::isdigit(static_cast<unsigned char>(c)) || (c == '.' && std::isdigit(static_cast<unsigned char>(at(1))))) {
            token.kind = TokenKind::Number;
            while (std::isdigit(static_cast<unsigned char>(at())) || at() == '.') token.text.push_back(take());
        } else if (c == '@') {
            token.kind = TokenKind::Variable;
            token.text.push_back(take());
            while (isWordPart(at())) token.text.push_back(take());
        } else if (isWordStart(c)) {
            token.kind = TokenKind::Word;
            while (isWordPart(at())) token.text.push_back(take());
        } else {
            token.kind = TokenKind::Symbol;
            token.text.push_back(take());
            std::string pair = token.text + at();
            if (pair == "<>" || pair == "!=" || pair == "<=" || pair == ">=") token.text.push_back(take());
        }
        return token;
    }

    char take() {
        char c = at();
        advance();
        return c;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    int line_ = 1;
};

}  // namespace

bool SqlToken::is(std::string_view keyword) const { return kind == TokenKind::Word && equalsNoCase(text, keyword); }

std::vector<SqlToken> tokenize(std::string_view text) { return Lexer(text).run(); }

}  // namespace wf::standin
