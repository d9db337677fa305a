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

class TokenStream {
public:
    explicit TokenStream(std::string serverName) : serverName_(std::move(serverName)) {}

    void envChange(EnvChangeType type, std::string_view newValue, std::string_view oldValue);
    void envChangeCollation();
    // Sent as INFO for severity 10 or lower, as ERROR above.
    void message(const ServerMessage& message, std::int32_t line, std::string_view procedure = {});
    void loginAck(std::string_view programName);
    // A result set's columns; the stand-in serves every column as NVARCHAR.
    // The identity column, if any, is read-only, as SQL Server reports it.
    void columns(const std::vector<std::string>& names, std::optional<std::size_t> identity = std::nullopt);
    // One row of the last columns; nothing is NULL.
    void row(const std::vector<std::optional<std::string>>& values);
    // An output parameter of type int.
    void returnStatus(std::int32_t value);
    void returnInt(std::uint16_t ordinal, std::string_view name, std::int32_t value);
    void done(std::uint16_t status, std::uint16_t command = kCommandNone, std::uint64_t rows = 0);
    void doneProc(std::uint16_t status, std::uint16_t command = kCommandExecute, std::uint64_t rows = 0);
    void doneInProc(std::uint16_t status, std::uint16_t command = kCommandNone, std::uint64_t rows = 0);

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
    bool failed_ = false;
};

}  // namespace wf::standin
