#pragma once
// A remote procedure call as clients send it: a procedure (by well-known id or
// by name) and its parameters, each decoded to text.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace wf::standin {

// Ids of the system procedures a client may call without naming them.
enum ProcedureId : std::uint16_t {
    kSpCursor = 1,
    kSpCursorOpen = 2,
    kSpCursorFetch = 7,
    kSpCursorOption = 8,
    kSpCursorClose = 9,
};

struct RpcParameter {
    std::string name;  // "" when passed by position
    bool output = false;
    std::uint8_t type = 0;
    std::optional<std::string> value;  // text or decimal number; nothing = NULL
};

struct RpcRequest {
    std::optional<std::uint16_t> procedureId;
    std::string procedureName;  // when called by name
    std::vector<RpcParameter> parameters;

    // A parameter by position, or nothing when the call has fewer.
    const RpcParameter* parameter(std::size_t index) const;
    // The whole number in a parameter, or nothing when absent, NULL or not a number.
    std::optional<long> number(std::size_t index) const;
};

// A parameter of a type the stand-in cannot decode; the request cannot be read
// further, but the session can answer it and go on.
class UnsupportedParameter : public std::runtime_error {
public:
    UnsupportedParameter(std::size_t ordinal, std::string name, std::uint8_t type)
        : std::runtime_error("unsupported parameter type"), ordinal(ordinal), name(std::move(name)), type(type) {}
    std::size_t ordinal;
    std::string name;
    std::uint8_t type;
};

// Decodes the request that follows ALL_HEADERS. Raises ProtocolError when it
// runs past its end and UnsupportedParameter for an unknown type.
RpcRequest parseRpc(std::string_view body);

}  // namespace wf::standin
