#include "tests/doubles/fault_plan.h"

namespace wf::testing {

void FaultSchedule::arm(int nth, bool fromThenOn, bool endsProcess) {
    armed_.push_back(Armed{calls() + nth, fromThenOn, endsProcess});
}

void FaultSchedule::lift() {
    armed_.clear();
    ended_ = false;
}

FaultSchedule::Outcome FaultSchedule::enter(const char* operation) {
    operations_.push_back(operation);
    const int call = calls();
    for (const Armed& armed : armed_) {
        if (call != armed.call && !(armed.fromThenOn && call > armed.call)) continue;
        met_ = true;
        return armed.endsProcess ? Outcome::EndsProcess : Outcome::Fails;
    }
    return Outcome::Runs;
}

void OperationFaults::arm(int operation, int nth, bool fromThenOn, std::size_t fault) {
    int counted = operation == kAnyOperation ? total_ : calls(operation);
    armed_.push_back(Armed{operation, counted + nth, fromThenOn, fault});
}

std::optional<std::size_t> OperationFaults::enter(int operation) {
    if (calls_.size() <= static_cast<std::size_t>(operation)) calls_.resize(operation + 1);
    int ofOperation = ++calls_[operation];
    ++total_;
    for (const Armed& armed : armed_) {
        bool any = armed.operation == kAnyOperation;
        if (!any && armed.operation != operation) continue;
        int call = any ? total_ : ofOperation;
        if (call == armed.call || (armed.fromThenOn && call > armed.call)) return armed.fault;
    }
    return std::nullopt;
}

int OperationFaults::calls(int operation) const {
    return static_cast<std::size_t>(operation) < calls_.size() ? calls_[operation] : 0;
}

}  // namespace wf::testing
