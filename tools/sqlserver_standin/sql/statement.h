#pragma once
// A batch cut into statements. T-SQL needs no separator between statements, so a
// new statement starts at ";" and at the keywords that begin statements (outside
// parentheses); a procedure, function, trigger or view definition takes the rest of
// its batch, as the server demands.
#include <vector>

#include "sql/lexer.h"

namespace wf::standin {

struct Statement {
    std::vector<SqlToken> tokens;  // never empty

    int line() const { return tokens.front().line; }
};

std::vector<Statement> splitStatements(const std::vector<SqlToken>& tokens);

// The statement's tokens joined by blanks, quotes removed: what scripted
// behaviour looks for.
std::string statementText(const Statement& statement);

}  // namespace wf::standin
