#pragma once
// Behaviour a test sets up in advance: a batch whose text contains a given piece
// (in any case) fails with given errors, every time or only the first time; a
// statement containing a given piece starts only after a delay.
#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tds/server_message.h"

namespace wf::standin {

struct ScriptedFailure {
    std::string trigger;
    std::vector<ServerMessage> errors;
    bool once = false;
    mutable bool spent = false;  // a failure once: it has failed a batch (guarded by the behaviour's lock)
};

struct ScriptedDelay {
    std::string trigger;
    std::chrono::milliseconds delay{0};
};

struct ScriptedBehaviour {
    std::vector<ScriptedFailure> failures;
    std::vector<ScriptedDelay> delays;

    // The first failure whose trigger the batch contains and that is not spent;
    // a failure once is spent by this. Sessions ask concurrently.
    const ScriptedFailure* failureFor(std::string_view batch) const;
    // The sum of the delays whose triggers the statement contains.
    std::chrono::milliseconds delayFor(std::string_view statement) const;

private:
    mutable std::mutex spending_;
};

}  // namespace wf::standin
