#include "rpc/rpc_request.h"

#include <charconv>

#include "tds/bytes.h"
#include "tds/utf16.h"

namespace wf::standin {
namespace {

enum TypeCode : std::uint8_t {
    kText = 0x23,
    kInt1 = 0x30,
    kBit = 0x32,
    kInt2 = 0x34,
    kInt4 = 0x38,
    kNText = 0x63,
    kIntN = 0x26,
    kBitN = 0x68,
    kInt8 = 0x7F,
    kBigVarBinary = 0xA5,
    kBigVarChar = 0xA7,
    kBigBinary = 0xAD,
    kBigChar = 0xAF,
    kNVarChar = 0xE7,
    kNChar = 0xEF,
};

constexpr std::uint16_t kByName = 0xFFFF;
constexpr std::uint8_t kOutputParameter = 0x01;
constexpr std::uint16_t kMaxLength = 0xFFFF;

std::string littleEndianNumber(std::string_view bytes) {
    std::int64_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    // Sign-extend from the value's own width.
    if (!bytes.empty() && bytes.size() < 8 && (static_cast<unsigned char>(bytes.back()) & 0x80)) {
        value -= std::int64_t{1} << (8 * bytes.size());
    }
    return std::to_string(value);
}

// A value sent in chunks (the MAX types): total length, then chunks ended by a zero one.
std::optional<std::string> partiallyLengthPrefixed(ByteReader& in) {
    std::uint64_t total = in.u64le();
    if (total == ~std::uint64_t{0}) return std::nullopt;
    std::string bytes;
    while (std::uint32_t chunk = in.u32le()) bytes.append(in.take(chunk));
    return bytes;
}

std::optional<std::string> readValue(ByteReader& in, std::size_t ordinal, const std::string& name, std::uint8_t type) {
    auto character = [](std::uint8_t t) { return t == kNVarChar || t == kNChar || t == kNText; };
    auto asText = [&](std::optional<std::string> bytes) -> std::optional<std::string> {
        if (!bytes) return std::nullopt;
        if (character(type)) return utf16leToUtf8(*bytes);
        return bytes;
    };
    switch (type) {
    case kInt1:
    case kBit:
        return littleEndianNumber(in.take(1));
    case kInt2:
        return littleEndianNumber(in.take(2));
    case kInt4:
        return littleEndianNumber(in.take(4));
    case kInt8:
        return littleEndianNumber(in.take(8));
    case kIntN:
    case kBitN: {
        in.u8();  // declared size
        std::uint8_t size = in.u8();
        if (size == 0) return std::nullopt;
        return littleEndianNumber(in.take(size));
    }
    case kNVarChar:
    case kNChar:
    case kBigVarChar:
    case kBigChar:
    case kBigVarBinary:
    case kBigBinary: {
        std::uint16_t declared = in.u16le();
        if (type != kBigVarBinary && type != kBigBinary) in.take(5);  // collation
        if (declared == kMaxLength) return asText(partiallyLengthPrefixed(in));
        std::uint16_t size = in.u16le();
        if (size == 0xFFFF) return std::nullopt;
        return asText(std::string(in.take(size)));
    }
    case kText:
    case kNText: {
        in.u32le();  // declared size
        in.take(5);  // collation
        std::uint32_t size = in.u32le();
        if (size == 0xFFFFFFFFu) return std::nullopt;
        return asText(std::string(in.take(size)));
    }
    default:
        throw UnsupportedParameter(ordinal, name, type);
    }
}

}  // namespace

const RpcParameter* RpcRequest::parameter(std::size_t index) const {
    return index < parameters.size() ? &parameters[index] : nullptr;
}

std::optional<long> RpcRequest::number(std::size_t index) const {
    const RpcParameter* found = parameter(index);
    if (!found || !found->value) return std::nullopt;
    long value = 0;
    const std::string& text = *found->value;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

RpcRequest parseRpc(std::string_view body) {
    ByteReader in(body);
    RpcRequest request;
    std::uint16_t nameLength = in.u16le();
    if (nameLength == kByName) {
        request.procedureId = in.u16le();
    } else {
        request.procedureName = utf16leToUtf8(in.take(2 * std::size_t{nameLength}));
    }
    in.u16le();  // option flags
    while (in.remaining() > 0) {
        RpcParameter parameter;
        parameter.name = in.bVarChar();
        parameter.output = (in.u8() & kOutputParameter) != 0;
        parameter.type = in.u8();
        parameter.value = readValue(in, request.parameters.size() + 1, parameter.name, parameter.type);
        request.parameters.push_back(std::move(parameter));
    }
    return request;
}

}  // namespace wf::standin
