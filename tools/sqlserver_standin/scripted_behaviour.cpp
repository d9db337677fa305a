#include "scripted_behaviour.h"

#include "text.h"

namespace wf::standin {

const ScriptedFailure* ScriptedBehaviour::failureFor(std::string_view batch) const {
    std::lock_guard lock(spending_);
    for (const ScriptedFailure& failure : failures) {
        if (failure.spent || !containsNoCase(batch, failure.trigger)) continue;
        failure.spent = failure.once;
        return &failure;
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
