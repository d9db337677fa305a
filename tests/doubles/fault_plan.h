#pragma once
// Which calls of a double fail, and how, so that a test can fail every step of a
// procedure in turn: run it once to count its calls, then fail call 1, 2, ... N.
// A fault names an operation of the double (or any operation), which call of it
// (1 = the next one), whether only that call fails or every one from then on, and
// what the call gives instead: the double's own error, or the end of the process.
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace wf::testing {

// Raised by every call of a double once the process has ended. No step of the
// programs catches it, as nothing runs in a process that is gone.
struct ProcessEnded {};

// The counting behind every plan, over operations numbered by the double.
class FaultSchedule {
public:
    static constexpr int kAnyOperation = -1;

    // Arms `fault` for the `nth` next call of `operation`; with `fromThenOn` every
    // later call of it meets the fault too.
    void arm(int operation, int nth, bool fromThenOn, std::size_t fault);
    // Counts a call of `operation`: the first armed fault it meets, if any.
    std::optional<std::size_t> enter(int operation);
    int calls(int operation) const;
    int calls() const { return total_; }

private:
    struct Armed {
        int operation;
        int call;  // counted as calls(operation) counts, or all calls for kAnyOperation
        bool fromThenOn;
        std::size_t fault;
    };
    std::vector<Armed> armed_;
    std::vector<int> calls_;  // by operation
    int total_ = 0;
};

template <class Operation, class Error>
class FaultPlan {
public:
    // What a call of the double meets.
    struct Verdict {
        const Error* error = nullptr;  // the error to give instead of doing the work
        bool endsProcess = false;      // the process ends during this call
    };

    // Set-up, by the test.
    void failNth(Operation op, int nth, Error error) { arm(static_cast<int>(op), nth, false, std::move(error)); }
    void failFrom(Operation op, int nth, Error error) { arm(static_cast<int>(op), nth, true, std::move(error)); }
    void failAnyNth(int nth, Error error) { arm(FaultSchedule::kAnyOperation, nth, false, std::move(error)); }
    // The process ends during the `nth` next call, whatever it is; every later call
    // raises ProcessEnded.
    void endProcessAtAny(int nth) { arm(FaultSchedule::kAnyOperation, nth, false, std::nullopt); }
    // Lets the process run again, as the next start of the program does.
    void restartProcess() { ended_ = false; }

    int calls(Operation op) const { return schedule_.calls(static_cast<int>(op)); }
    int calls() const { return schedule_.calls(); }

    // By the double, on each call. Raises ProcessEnded when it ended at an earlier call.
    Verdict enter(Operation op) {
        if (ended_) throw ProcessEnded{};
        std::optional<std::size_t> fault = schedule_.enter(static_cast<int>(op));
        if (!fault) return {};
        const std::optional<Error>& outcome = outcomes_[*fault];
        if (!outcome) {
            ended_ = true;
            return {nullptr, true};
        }
        return {&*outcome, false};
    }
    // As enter, for a double with no half-done work to leave: raises ProcessEnded
    // for a process ending at this call too. The error to give, or nullptr.
    const Error* check(Operation op) {
        Verdict verdict = enter(op);
        if (verdict.endsProcess) throw ProcessEnded{};
        return verdict.error;
    }

private:
    void arm(int op, int nth, bool fromThenOn, std::optional<Error> outcome) {
        schedule_.arm(op, nth, fromThenOn, outcomes_.size());
        outcomes_.push_back(std::move(outcome));
    }

    FaultSchedule schedule_;
    std::vector<std::optional<Error>> outcomes_;  // nullopt: the process ends
    bool ended_ = false;
};

}  // namespace wf::testing
