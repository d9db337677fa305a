#pragma once
// Builds the token stream of one reply. Keeps the rule that every DONE-type token
// but the last of a reply carries the "more" bit, so callers just add tokens in
// order.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tds/bytes.h"
#include "tds/server_message.h"

namespace wf::standin {

enum DoneStatus : std::uint16_t {
    kDoneFinal = 0x00,
    kDoneMore = 0x01,
    kDoneError = 0x02,
    kDoneCount = 0x10,
    kDoneAttention = 0x20,
};

enum DoneCommand : std::uint16_t {
    kCommandNone = 0x00,
    kCommandSelect = 0xC1,
    kCommandUpdate = 0xC5,
    kCommandExecute = 0xE0,
};

enum EnvChangeType : std::uint8_t {
    kEnvDatabase = 1,
    kEnvLanguage = 2,
    kEnvPacketSize = 4,
};

// A column of a result set; the stand-in serves every column as NVARCHAR or,
// for cursor bookkeeping, as a four-byte integer.
struct ColumnInfo {
    std::string name;
    bool integer = false;
};

class TokenStream {
public:
    explicit TokenStream(std::string serverName) : serverName_(std::move(serverName)) {}

    void envChange(EnvChangeType type, std::string_view newValue, std::string_view oldValue);
    void envChangeCollation();
    // Sent as INFO for severity 10 or lower, as ERROR above.
    void message(const ServerMessage& message, std::int32_t line, std::string_view procedure = {});
    void loginAck(std::string_view programName);
    void columns(const std::vector<ColumnInfo>& columns);
    void row(const std::vector<ColumnInfo>& columns, const std::vector<std::optional<std::string>>& values);
    void returnStatus(std::int32_t value);
    void returnInt(std::uint16_t ordinal, std::string_view name, std::int32_t value);
    void done(std::uint16_t status, std::uint16_t command = kCommandNone, std::uint64_t rows = 0);
    void doneProc(std::uint16_t status, std::uint16_t command = kCommandExecute, std::uint64_t rows = 0);
    void doneInProc(std::uint16_t status, std::uint16_t command = kCommandNone, std::uint64_t rows = 0);

    // Inside a procedure a statement ends with DONEINPROC instead of DONE.
    void setInsideProcedure(bool inside) { insideProcedure_ = inside; }
    // Whether a DONE-type token of this reply carried the error bit.
    bool failed() const { return failed_; }

    bool empty() const { return out_.size() == 0; }
    const std::string& bytes() const { return out_.bytes(); }

private:
    void doneToken(std::uint8_t token, std::uint16_t status, std::uint16_t command, std::uint64_t rows);

    std::string serverName_;
    ByteWriter out_;
    std::optional<std::size_t> lastDoneStatus_;
    std::uint16_t lastDoneValue_ = 0;
    bool insideProcedure_ = false;
    bool failed_ = false;
};

}  // namespace wf::standin
