#include "scripted_behaviour.h"

#include "text.h"

namespace wf::standin {

const ScriptedFailure* ScriptedBehaviour::failureFor(std::string_view batch) const {
    for (const ScriptedFailure& failure : failures) {
        if (containsNoCase(batch, failure.trigger)) return &failure;
    }
    return nullptr;
}

std::chrono::milliseconds ScriptedBehaviour::delayFor(std::string_view statement) const {
    std::chrono::milliseconds total{0};
    for (const ScriptedDelay& delay : delays) {
        if (containsNoCase(statement, delay.trigger)) total += delay.delay;
    }
    return total;
}

}  // namespace wf::standin
