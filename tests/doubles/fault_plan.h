#pragma once
// Which calls of a double fail, and how, so that a test can fail every step of a
// procedure in turn: run it once to count its calls, then fail call 1, 2, ... N.
// A fault names an operation of the double (or any operation), which call of it
// (1 = the next one), whether only that call fails or every one from then on, and
// what the call gives instead: the double's own error, or the end of the process.
// Doubles attached to one FaultSchedule number their calls in one sequence, as the
// calls of one process, and end with it; fault_harness.h fails each call of that
// sequence in turn.
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace wf::testing {

// Raised by every call of a double once the process has ended. No step of the
// programs catches it, as nothing runs in a process that is gone.
struct ProcessEnded {};

// One process's calls of the doubles attached to it: one count over all of them,
// what each call was, whether the process has ended, and the faults armed on that
// count. A call such a fault fails gives its double's usual error.
class FaultSchedule {
public:
    enum class Outcome { Runs, Fails, EndsProcess };

    // Arms the `nth` next call, whichever double it goes to: it fails (with
    // `fromThenOn`, every later call too), or the process ends during it.
    void failNth(int nth, bool fromThenOn = false) { arm(nth, fromThenOn, false); }
    void endProcessAt(int nth) { arm(nth, false, true); }
    // No fault from now on and the process runs again: the doubles keep what they
    // hold, as the program's next start finds it.
    void lift();
    void endProcess() { ended_ = true; }
    void restartProcess() { ended_ = false; }
    bool ended() const { return ended_; }
    // Whether a call met an armed fault.
    bool met() const { return met_; }

    int calls() const { return static_cast<int>(operations_.size()); }
    // The operation of each call so far, in order ("FileOp::Copy").
    const std::vector<const char*>& operations() const { return operations_; }

    // By a double's plan, on each call: what the call meets.
    Outcome enter(const char* operation);

private:
    struct Armed {
        int call;
        bool fromThenOn;
        bool endsProcess;
    };
    void arm(int nth, bool fromThenOn, bool endsProcess);

    std::vector<Armed> armed_;
    std::vector<const char*> operations_;
    bool ended_ = false;
    bool met_ = false;
};

// The counting behind every plan, over the operations of one double.
class OperationFaults {
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

// Each Operation enum has a `const char* operationName(Operation)` beside it.
template <class Operation, class Error>
class FaultPlan {
public:
    // What a call of the double meets.
    struct Verdict {
        const Error* error = nullptr;  // the error to give instead of doing the work
        bool endsProcess = false;      // the process ends during this call
    };

    // `usual`: what the double gives for a call its schedule fails.
    explicit FaultPlan(Error usual) : usual_(std::move(usual)) {}

    // Set-up, by the test.
    void failNth(Operation op, int nth, Error error) { arm(static_cast<int>(op), nth, false, std::move(error)); }
    void failFrom(Operation op, int nth, Error error) { arm(static_cast<int>(op), nth, true, std::move(error)); }
    void failAnyNth(int nth, Error error) { arm(OperationFaults::kAnyOperation, nth, false, std::move(error)); }
    // The process ends during the `nth` next call, whatever it is; every later call
    // raises ProcessEnded.
    void endProcessAtAny(int nth) { arm(OperationFaults::kAnyOperation, nth, false, std::nullopt); }
    // Lets the process run again, as the next start of the program does.
    void restartProcess() { schedule().restartProcess(); }
    // Counts this double's calls in `schedule`, with those of every double attached
    // to it, and ends the process with them. Until then the double is a process of
    // its own. `schedule` outlives the double's calls.
    void attach(FaultSchedule& schedule) { attached_ = &schedule; }

    int calls(Operation op) const { return planned_.calls(static_cast<int>(op)); }
    int calls() const { return planned_.calls(); }

    // By the double, on each call. Raises ProcessEnded when it ended at an earlier call.
    // The plan's own faults come before those of the schedule.
    Verdict enter(Operation op) {
        FaultSchedule& process = schedule();
        if (process.ended()) throw ProcessEnded{};
        const FaultSchedule::Outcome scheduled = process.enter(operationName(op));
        const std::optional<std::size_t> fault = planned_.enter(static_cast<int>(op));
        if (fault && outcomes_[*fault]) return {&*outcomes_[*fault], false};
        if (fault || scheduled == FaultSchedule::Outcome::EndsProcess) {
            process.endProcess();
            return {nullptr, true};
        }
        if (scheduled == FaultSchedule::Outcome::Fails) return {&usual_, false};
        return {};
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
        planned_.arm(op, nth, fromThenOn, outcomes_.size());
        outcomes_.push_back(std::move(outcome));
    }
    FaultSchedule& schedule() { return attached_ ? *attached_ : own_; }

    OperationFaults planned_;
    std::vector<std::optional<Error>> outcomes_;  // nullopt: the process ends
    Error usual_;
    FaultSchedule own_;
    FaultSchedule* attached_ = nullptr;
};

}  // namespace wf::testing
