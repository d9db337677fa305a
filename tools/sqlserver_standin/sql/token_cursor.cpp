#include "sql/token_cursor.h"

#include <charconv>

namespace wf::standin {

bool TokenCursor::accept(std::string_view keyword) {
    if (atEnd() || !tokens_[at_].is(keyword)) return false;
    ++at_;
    return true;
}

bool TokenCursor::acceptSymbol(std::string_view symbol) {
    if (atEnd() || !tokens_[at_].isSymbol(symbol)) return false;
    ++at_;
    return true;
}

void TokenCursor::expect(std::string_view keyword) {
    if (!accept(keyword)) fail();
}

void TokenCursor::expectSymbol(std::string_view symbol) {
    if (!acceptSymbol(symbol)) fail();
}

const SqlToken& TokenCursor::take() {
    if (atEnd()) fail();
    return tokens_[at_++];
}

std::string TokenCursor::name() {
    if (atEnd() || !tokens_[at_].isName()) fail();
    return take().text;
}

std::string TokenCursor::string() {
    if (atEnd() || tokens_[at_].kind != TokenKind::String) fail();
    return take().text;
}

long TokenCursor::number() {
    bool negative = acceptSymbol("-");
    if (atEnd() || tokens_[at_].kind != TokenKind::Number) fail();
    const std::string& digits = tokens_[at_].text;
    long value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) fail();
    ++at_;
    return negative ? -value : value;
}

std::optional<std::string> TokenCursor::acceptVariable() {
    if (atEnd() || tokens_[at_].kind != TokenKind::Variable) return std::nullopt;
    return take().text;
}

std::optional<std::string> TokenCursor::literal() {
    if (accept("NULL")) return std::nullopt;
    if (!atEnd() && tokens_[at_].kind == TokenKind::String) return take().text;
    bool negative = acceptSymbol("-");
    if (atEnd() || tokens_[at_].kind != TokenKind::Number) fail();
    return (negative ? "-" : "") + take().text;
}

void TokenCursor::expectEnd() {
    acceptSymbol(";");
    if (!atEnd()) fail();
}

void TokenCursor::fail() const {
    if (atEnd()) {
        throw SyntaxError(tokens_.empty() ? "" : tokens_.back().text, tokens_.empty() ? 1 : tokens_.back().line);
    }
    throw SyntaxError(tokens_[at_].text, tokens_[at_].line);
}

}  // namespace wf::standin
