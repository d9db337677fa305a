// The server cursor procedures an ODBC driver uses for an updatable record set:
// open, options, fetch, positioned update and close.
#include "batch_runner.h"
#include "rpc/procedures.h"
#include "server_context.h"
#include "server_errors.h"
#include "sql/token_cursor.h"
#include "text.h"

namespace wf::standin {
namespace {

enum FetchType : long {
    kFetchFirst = 0x01,
    kFetchNext = 0x02,
    kFetchPrevious = 0x04,
    kFetchLast = 0x08,
    kFetchAbsolute = 0x10,
    kFetchRelative = 0x20,
    kFetchRefresh = 0x80,
};

enum CursorOperation : long {
    kOperationUpdate = 0x01,
    kOperationDelete = 0x02,
    kOperationInsert = 0x04,
};

constexpr std::int32_t kRowCountUnknown = -1;

void fail(ProcedureContext& context, const ServerMessage& message) {
    context.statements.reply.message(message, 1);
    context.statements.reply.doneProc(kDoneError);
}

void succeed(ProcedureContext& context, std::uint16_t status = kDoneFinal, std::uint64_t rows = 0) {
    context.statements.reply.returnStatus(0);
    context.statements.reply.doneProc(status, kCommandExecute, rows);
}

// The cursor named by the first parameter, or nothing after answering the error.
ServerCursor* cursorOf(const RpcRequest& request, ProcedureContext& context, const char* procedure) {
    std::optional<long> handle = request.number(0);
    if (!handle) {
        fail(context, errors::badProcedureParameter(procedure, "cursor"));
        return nullptr;
    }
    ServerCursor* cursor = context.cursors.find(static_cast<std::int32_t>(*handle));
    if (!cursor) fail(context, errors::cursorDoesNotExist(static_cast<std::int32_t>(*handle)));
    return cursor;
}

// Runs the cursor's query again, as a dynamic cursor sees the table now.
const QueryResult* currentRows(ServerCursor& cursor, ProcedureContext& context, std::optional<QueryResult>& holder) {
    auto outcome = runSelect(cursor.query, context.statements.catalogue, cursor.database);
    if (const ServerMessage* failure = std::get_if<ServerMessage>(&outcome)) {
        fail(context, *failure);
        return nullptr;
    }
    holder = std::move(std::get<QueryResult>(outcome));
    return &*holder;
}

// Where a fetch starts, or nothing for a fetch type the stand-in does not serve.
std::optional<long> fetchStart(const ServerCursor& cursor, long type, long rowNumber, long rowCount, long total) {
    long previousEnd = cursor.bufferStart < 0 ? 0 : cursor.bufferStart + static_cast<long>(cursor.buffer.size());
    switch (type) {
    case kFetchFirst:
        return 0;
    case kFetchNext:
        return previousEnd;
    case kFetchPrevious:
        return std::max(0L, std::max(0L, cursor.bufferStart) - rowCount);
    case kFetchLast:
        return std::max(0L, total - rowCount);
    case kFetchAbsolute:
        return rowNumber - 1;
    case kFetchRelative:
        return std::max(0L, cursor.bufferStart) + rowNumber;
    case kFetchRefresh:
        return std::max(0L, cursor.bufferStart);
    default:
        return std::nullopt;
    }
}

}  // namespace

void runCursorOpen(const RpcRequest& request, ProcedureContext& context) {
    const RpcParameter* statement = request.parameter(1);
    if (!statement || !statement->value) {
        fail(context, errors::badProcedureParameter("sp_cursoropen", "stmt"));
        return;
    }
    recordBatch(context.server, context.statements.session.database(), *statement->value);
    ServerCursor cursor{context.statements.session.database(), {}, -1, {}};
    try {
        cursor.query = parseSelect(tokenize(*statement->value));
    } catch (const SyntaxError& error) {
        fail(context, errors::incorrectSyntax(error.near));
        return;
    } catch (const UnclosedQuote& error) {
        fail(context, errors::unclosedQuote(error.remainder));
        return;
    }
    std::optional<QueryResult> holder;
    const QueryResult* result = currentRows(cursor, context, holder);
    if (!result) return;

    TokenStream& reply = context.statements.reply;
    reply.columns(result->columns, result->identityColumn);
    reply.doneInProc(kDoneFinal);
    reply.returnStatus(0);
    std::int32_t handle = context.cursors.open(std::move(cursor));
    // Output parameters come back in their order: handle, scroll option, concurrency, row count.
    for (std::size_t i = 0; i < request.parameters.size(); ++i) {
        const RpcParameter& parameter = request.parameters[i];
        if (!parameter.output) continue;
        std::int32_t value = i == 0 ? handle : i == 4 ? kRowCountUnknown : static_cast<std::int32_t>(request.number(i).value_or(0));
        reply.returnInt(static_cast<std::uint16_t>(i), parameter.name, value);
    }
    reply.doneProc(kDoneFinal);
}

void runCursorFetch(const RpcRequest& request, ProcedureContext& context) {
    ServerCursor* cursor = cursorOf(request, context, "sp_cursorfetch");
    if (!cursor) return;
    long type = request.number(1).value_or(kFetchNext);
    long rowNumber = request.number(2).value_or(0);
    long rowCount = std::max(1L, request.number(3).value_or(1));
    std::optional<QueryResult> holder;
    const QueryResult* result = currentRows(*cursor, context, holder);
    if (!result) return;
    long total = static_cast<long>(result->rows.size());
    std::optional<long> start = fetchStart(*cursor, type, rowNumber, rowCount, total);
    if (!start) {
        fail(context, errors::badProcedureParameter("sp_cursorfetch", "fetchtype"));
        return;
    }

    TokenStream& reply = context.statements.reply;
    reply.columns(result->columns, result->identityColumn);
    cursor->bufferStart = std::clamp(*start, 0L, total);
    cursor->buffer.clear();
    for (long i = cursor->bufferStart; i < total && i < cursor->bufferStart + rowCount; ++i) {
        const TableRow& row = result->rows[static_cast<std::size_t>(i)];
        reply.row(row.values);
        cursor->buffer.push_back(row.id);
    }
    reply.doneInProc(kDoneCount, kCommandSelect, cursor->buffer.size());
    succeed(context);
}

void runCursorOption(const RpcRequest& request, ProcedureContext& context) {
    // Options such as the cursor's name change nothing the stand-in serves.
    if (cursorOf(request, context, "sp_cursoroption")) succeed(context);
}

void runCursorUpdate(const RpcRequest& request, ProcedureContext& context) {
    ServerCursor* cursor = cursorOf(request, context, "sp_cursor");
    if (!cursor) return;
    long operation = request.number(1).value_or(0);
    if (operation & (kOperationDelete | kOperationInsert)) {
        fail(context, errors::badProcedureParameter("sp_cursor", "optype"));
        return;
    }
    if (!(operation & kOperationUpdate)) {
        succeed(context);  // positioning and locking need nothing here
        return;
    }
    long rowNumber = request.number(2).value_or(0);
    if (rowNumber < 0 || rowNumber > static_cast<long>(cursor->buffer.size()) || cursor->buffer.empty()) {
        fail(context, errors::badProcedureParameter("sp_cursor", "rownum"));
        return;
    }
    std::optional<QueryResult> holder;
    const QueryResult* result = currentRows(*cursor, context, holder);
    if (!result) return;

    // Values follow the table name, by column name ("@NAME" or "NAME") or else by position.
    std::vector<std::pair<std::string, FieldValue>> changes;
    for (std::size_t i = 4; i < request.parameters.size(); ++i) {
        std::string name = request.parameters[i].name;
        if (!name.empty() && name.front() == '@') name.erase(0, 1);
        if (name.empty() && i - 4 < result->columns.size()) name = result->columns[i - 4];
        changes.emplace_back(name, request.parameters[i].value);
    }
    std::optional<TableSnapshot> table = context.statements.catalogue.readTable(result->database, result->table);
    if (table && table->identityColumn) {
        const std::string& identity = table->columns[*table->identityColumn];
        for (const auto& change : changes) {
            if (equalsNoCase(change.first, identity)) {
                fail(context, errors::cannotUpdateIdentity(identity));
                return;
            }
        }
    }
    std::vector<std::uint32_t> targets = cursor->buffer;
    if (rowNumber > 0) targets = {cursor->buffer[static_cast<std::size_t>(rowNumber - 1)]};
    for (std::uint32_t id : targets) {
        if (!context.statements.catalogue.updateRow(result->database, result->table, id, changes)) {
            fail(context, errors::badProcedureParameter("sp_cursor", "values"));
            return;
        }
    }
    succeed(context, kDoneCount, targets.size());
}

void runCursorClose(const RpcRequest& request, ProcedureContext& context) {
    ServerCursor* cursor = cursorOf(request, context, "sp_cursorclose");
    if (!cursor) return;
    context.cursors.close(static_cast<std::int32_t>(*request.number(0)));
    succeed(context);
}

}  // namespace wf::standin
