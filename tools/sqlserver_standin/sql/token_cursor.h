#pragma once
// Walks a token list for the small grammars of the stand-in (statements and
// configuration lines). A mismatch raises SyntaxError naming the token at fault.
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "sql/lexer.h"

namespace wf::standin {

class SyntaxError : public std::runtime_error {
public:
    SyntaxError(std::string near, int line)
        : std::runtime_error("incorrect syntax near '" + near + "'"), near(std::move(near)), line(line) {}
    std::string near;
    int line;
};

class TokenCursor {
public:
    explicit TokenCursor(const std::vector<SqlToken>& tokens) : tokens_(tokens) {}

    bool atEnd() const { return at_ >= tokens_.size(); }
    const SqlToken* peek() const { return atEnd() ? nullptr : &tokens_[at_]; }
    bool accept(std::string_view keyword);
    bool acceptSymbol(std::string_view symbol);
    void expect(std::string_view keyword);
    void expectSymbol(std::string_view symbol);
    // A word or quoted name.
    std::string name();
    // A string literal.
    std::string string();
    // A whole number, possibly negative.
    long number();
    // A variable (@name) when one comes next.
    std::optional<std::string> acceptVariable();
    // A literal value: string, number, or NULL (nothing).
    std::optional<std::string> literal();
    // Ignores a trailing ";" and raises unless everything was read.
    void expectEnd();

    [[noreturn]] void fail() const;

private:
    const SqlToken& take();

    const std::vector<SqlToken>& tokens_;
    std::size_t at_ = 0;
};

}  // namespace wf::standin
