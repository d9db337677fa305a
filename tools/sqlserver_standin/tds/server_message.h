#pragma once
// An error or informational message as SQL Server reports it.
#include <cstdint>
#include <string>

namespace wf::standin {

struct ServerMessage {
    std::int32_t number = 0;
    std::uint8_t severity = 0;
    std::uint8_t state = 1;
    std::string text;
};

}  // namespace wf::standin
