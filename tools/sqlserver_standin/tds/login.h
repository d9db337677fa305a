#pragma once
// The two messages that open a session: pre-login and LOGIN7.
#include <cstdint>
#include <string>
#include <string_view>

namespace wf::standin {

// Checks the client's pre-login option list and returns the answer: no
// encryption, no MARS. Raises ProtocolError for a malformed list.
std::string answerPreLogin(std::string_view request);

struct Login7 {
    std::uint32_t tdsVersion = 0;
    std::uint32_t packetSize = 0;
    std::string hostName;
    std::string userName;
    std::string password;
    std::string applicationName;
    std::string database;
};

// Decodes a LOGIN7 payload; raises ProtocolError when a field lies outside it.
Login7 parseLogin7(std::string_view payload);

}  // namespace wf::standin
