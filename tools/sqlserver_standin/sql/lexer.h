#pragma once
// Splits T-SQL text into tokens: words, quoted names ([x] or "x"), string
// literals ('x' or N'x'), numbers, variables (@x) and symbols. Comments are
// skipped. Used for batches and for the stand-in's configuration alike.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace wf::standin {

enum class TokenKind { Word, QuotedName, String, Number, Variable, Symbol };

struct SqlToken {
    TokenKind kind = TokenKind::Symbol;
    std::string text;  // quotes removed and doubled quotes undone
    int line = 1;

    // A word equal to `keyword` in any case.
    bool is(std::string_view keyword) const;
    bool isSymbol(std::string_view symbol) const { return kind == TokenKind::Symbol && text == symbol; }
    // A word or quoted name: anything that can name an object.
    bool isName() const { return kind == TokenKind::Word || kind == TokenKind::QuotedName; }
};

// A string literal or quoted name runs to the end of the text. `remainder` is
// what follows the opening quote, as SQL Server quotes it in its message.
class UnclosedQuote : public std::runtime_error {
public:
    UnclosedQuote(std::string remainder, int line)
        : std::runtime_error("unclosed quotation mark"), remainder(std::move(remainder)), line(line) {}
    std::string remainder;
    int line;
};

std::vector<SqlToken> tokenize(std::string_view text);

}  // namespace wf::standin
