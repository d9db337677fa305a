#include "tds/token_stream.h"

#include "tds/utf16.h"

namespace wf::standin {
namespace {

enum Token : std::uint8_t {
    kReturnStatus = 0x79,
    kColMetadata = 0x81,
    kError = 0xAA,
    kInfo = 0xAB,
    kReturnValue = 0xAC,
    kLoginAck = 0xAD,
    kRow = 0xD1,
    kEnvChange = 0xE3,
    kDone = 0xFD,
    kDoneProc = 0xFE,
    kDoneInProc = 0xFF,
};

enum TypeCode : std::uint8_t {
    kIntN = 0x26,
    kNVarChar = 0xE7,
};

// Latin1_General_CP1_CI_AS.
constexpr char kCollation[] = {0x09, 0x04, static_cast<char>(0xD0), 0x00, 0x34};
constexpr std::uint16_t kNVarCharMaxBytes = 8000;
constexpr std::uint16_t kColumnNullable = 0x01;
constexpr std::uint16_t kColumnUpdatable = 0x08;
constexpr std::uint16_t kColumnIdentity = 0x10;
constexpr std::uint32_t kTdsVersion74 = 0x74000004;

// Writes a token whose body is preceded by its own u16 length.
template <class Body>
void lengthPrefixed(ByteWriter& out, std::uint8_t token, Body&& body) {
    out.u8(token);
    std::size_t lengthAt = out.size();
    out.u16le(0);
    body();
    out.patchU16le(lengthAt, static_cast<std::uint16_t>(out.size() - lengthAt - 2));
}

void nvarcharTypeInfo(ByteWriter& out) {
    out.u8(kNVarChar);
    out.u16le(kNVarCharMaxBytes);
    out.raw(std::string_view(kCollation, sizeof kCollation));
}

}  // namespace

void TokenStream::envChange(EnvChangeType type, std::string_view newValue, std::string_view oldValue) {
    lengthPrefixed(out_, kEnvChange, [&] {
        out_.u8(type);
        out_.bVarChar(newValue);
        out_.bVarChar(oldValue);
    });
}

void TokenStream::envChangeCollation() {
    constexpr std::uint8_t kEnvCollation = 7;
    lengthPrefixed(out_, kEnvChange, [&] {
        out_.u8(kEnvCollation);
        out_.u8(sizeof kCollation);
        out_.raw(std::string_view(kCollation, sizeof kCollation));
        out_.u8(0);
    });
}

void TokenStream::message(const ServerMessage& message, std::int32_t line, std::string_view procedure) {
    lengthPrefixed(out_, message.severity <= 10 ? kInfo : kError, [&] {
        out_.u32le(static_cast<std::uint32_t>(message.number));
        out_.u8(message.state);
        out_.u8(message.severity);
        out_.usVarChar(message.text);
        out_.bVarChar(serverName_);
        out_.bVarChar(procedure);
        out_.u32le(static_cast<std::uint32_t>(line));
    });
}

void TokenStream::loginAck(std::string_view programName) {
    lengthPrefixed(out_, kLoginAck, [&] {
        constexpr std::uint8_t kSqlInterface = 1;
        out_.u8(kSqlInterface);
        out_.u32be(kTdsVersion74);
        out_.bVarChar(programName);
        out_.u8(15);  // program version 15.0.2000
        out_.u8(0);
        out_.u16be(2000);
    });
}

void TokenStream::columns(const std::vector<std::string>& names, std::optional<std::size_t> identity) {
    out_.u8(kColMetadata);
    out_.u16le(static_cast<std::uint16_t>(names.size()));
    for (std::size_t index = 0; index < names.size(); ++index) {
        const std::string& name = names[index];
        out_.u32le(0);
        out_.u16le(index == identity ? kColumnNullable | kColumnIdentity : kColumnNullable | kColumnUpdatable);
        nvarcharTypeInfo(out_);
        out_.bVarChar(name);
    }
}

void TokenStream::row(const std::vector<std::optional<std::string>>& values) {
    out_.u8(kRow);
    for (const std::optional<std::string>& value : values) {
        if (!value) {
            out_.u16le(0xFFFF);
            continue;
        }
        std::string units = utf8ToUtf16le(*value);
        if (units.size() > kNVarCharMaxBytes) units.resize(kNVarCharMaxBytes);
        out_.u16le(static_cast<std::uint16_t>(units.size()));
        out_.raw(units);
    }
}

void TokenStream::returnStatus(std::int32_t value) {
    out_.u8(kReturnStatus);
    out_.u32le(static_cast<std::uint32_t>(value));
}

void TokenStream::returnInt(std::uint16_t ordinal, std::string_view name, std::int32_t value) {
    constexpr std::uint8_t kOutputParameter = 0x01;
    out_.u8(kReturnValue);
    out_.u16le(ordinal);
    out_.bVarChar(name);
    out_.u8(kOutputParameter);
    out_.u32le(0);
    out_.u16le(kColumnNullable);
    out_.u8(kIntN);
    out_.u8(4);
    out_.u8(4);
    out_.u32le(static_cast<std::uint32_t>(value));
}

void TokenStream::done(std::uint16_t status, std::uint16_t command, std::uint64_t rows) {
    doneToken(kDone, status, command, rows);
}

void TokenStream::doneProc(std::uint16_t status, std::uint16_t command, std::uint64_t rows) {
    doneToken(kDoneProc, status, command, rows);
}

void TokenStream::doneInProc(std::uint16_t status, std::uint16_t command, std::uint64_t rows) {
    doneToken(kDoneInProc, status, command, rows);
}

void TokenStream::doneToken(std::uint8_t token, std::uint16_t status, std::uint16_t command, std::uint64_t rows) {
    if (lastDoneStatus_) out_.patchU16le(*lastDoneStatus_, lastDoneValue_ | kDoneMore);
    if (status & kDoneError) failed_ = true;
    out_.u8(token);
    lastDoneStatus_ = out_.size();
    lastDoneValue_ = status;
    out_.u16le(status);
    out_.u16le(command);
    out_.u64le(rows);
}

}  // namespace wf::standin
