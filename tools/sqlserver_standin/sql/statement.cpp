#include "sql/statement.h"

#include <algorithm>
#include <string_view>

namespace wf::standin {
namespace {

bool isAnyOf(const SqlToken& token, std::initializer_list<std::string_view> keywords) {
    return std::any_of(keywords.begin(), keywords.end(), [&](std::string_view k) { return token.is(k); });
}

// These keywords always begin a statement of their own.
bool alwaysStarts(const SqlToken& token) {
    return isAnyOf(token, {"ALTER", "BEGIN", "CREATE", "DECLARE", "DELETE", "DROP", "EXEC", "EXECUTE", "GRANT",
                           "IF", "INSERT", "PRINT", "RAISERROR", "THROW", "TRUNCATE", "UPDATE", "USE",
                           "WAITFOR"});
}

// SELECT and SET begin a statement only after statements that cannot take them
// as a part (INSERT ... SELECT, UPDATE ... SET and ALTER DATABASE ... SET do).
bool startsAfter(const SqlToken& first) {
    return isAnyOf(first, {"SELECT", "SET", "USE", "RAISERROR", "THROW", "WAITFOR", "PRINT", "DROP", "EXEC", "EXECUTE"});
}

bool takesRestOfBatch(const std::vector<SqlToken>& statement) {
    return statement.size() >= 2 && isAnyOf(statement[0], {"CREATE", "ALTER"}) &&
           isAnyOf(statement[1], {"PROC", "PROCEDURE", "FUNCTION", "TRIGGER", "VIEW"});
}

}  // namespace

std::vector<Statement> splitStatements(const std::vector<SqlToken>& tokens) {
    std::vector<Statement> statements;
    std::vector<SqlToken> current;
    int depth = 0;
    auto finish = [&] {
        if (!current.empty()) statements.push_back(Statement{std::move(current)});
        current.clear();
    };
    for (const SqlToken& token : tokens) {
        if (!takesRestOfBatch(current)) {
            if (token.isSymbol(";")) {
                finish();
                depth = 0;
                continue;
            }
            bool starts = alwaysStarts(token) ||
                          ((token.is("SELECT") || token.is("SET")) && (current.empty() || startsAfter(current[0])));
            if (depth == 0 && starts) finish();
        }
        if (token.isSymbol("(")) ++depth;
        if (token.isSymbol(")") && depth > 0) --depth;
        current.push_back(token);
    }
    finish();
    return statements;
}

std::string statementText(const Statement& statement) {
    std::string text;
    for (const SqlToken& token : statement.tokens) {
        if (!text.empty()) text += ' ';
        text += token.text;
    }
    return text;
}

}  // namespace wf::standin
