#pragma once
// Behaviour a test sets up in advance: a batch whose text contains a given piece
// (in any case) fails with given errors; a statement containing a given piece
// starts only after a delay.
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tds/server_message.h"

namespace wf::standin {

struct ScriptedFailure {
    std::string trigger;
    std::vector<ServerMessage> errors;
};

struct ScriptedDelay {
    std::string trigger;
    std::chrono::milliseconds delay{0};
};

struct ScriptedBehaviour {
    std::vector<ScriptedFailure> failures;
    std::vector<ScriptedDelay> delays;

    // The first failure whose trigger the batch contains.
    const ScriptedFailure* failureFor(std::string_view batch) const;
    // The sum of the delays whose triggers the statement contains.
    std::chrono::milliseconds delayFor(std::string_view statement) const;
};

}  // namespace wf::standin
