#pragma once
// Every call of a procedure failed in turn, as SQLite's fault simulation does it.
// forEachFault runs the procedure once on fresh doubles attached to one
// FaultSchedule, which numbers their calls in one sequence. Then, for each call N
// of that clean run, it runs the procedure on fresh doubles three times: call N
// failing once, call N and every later one failing, and the process ending during
// call N. After each run the fault is lifted and the process lives again, and the
// test's check judges what the run left; it may start the program anew, as its next
// start would. A failing check is reported with the call, its operation and the fault.
#include <gtest/gtest.h>

#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "tests/doubles/fault_plan.h"

namespace wf::testing {

enum class FaultMode { None, Once, FromThenOn, EndProcess };

// The fault of one run, as its check learns it.
struct Fault {
    FaultMode mode = FaultMode::None;
    int call = 0;                       // in the clean run's count; 0 with FaultMode::None
    std::vector<const char*> cleanRun;  // the operation of each call of the clean run
    bool ended = false;                 // the process ended during the run

    // The last call of `operation` ("SqlOp::Execute") in the clean run; 0 when none.
    int lastCallOf(std::string_view operation) const;
    // "call 7 of 31 (SqlOp::Execute) failing once".
    std::string describe() const;
};

// `prepare(world, schedule)` sets up a fresh World, default-constructed, with its
// doubles attached to `schedule`; `run(world)` runs the procedure; `check(world,
// fault)` judges what it left. Returns how many calls the clean run made.
template <class World, class Prepare, class Run, class Check>
int forEachFault(Prepare&& prepare, Run&& run, Check&& check) {
    Fault fault;
    const auto attempt = [&] {
        SCOPED_TRACE(fault.describe());
        World world;
        FaultSchedule schedule;
        prepare(world, schedule);
        const int before = schedule.calls();
        if (fault.mode == FaultMode::EndProcess) schedule.endProcessAt(fault.call);
        if (fault.mode == FaultMode::Once || fault.mode == FaultMode::FromThenOn)
            schedule.failNth(fault.call, fault.mode == FaultMode::FromThenOn);
        fault.ended = false;
        try {
            run(world);
        } catch (const ProcessEnded&) {
            fault.ended = true;
        } catch (const std::exception& escaped) {
            ADD_FAILURE() << "the run raised: " << escaped.what();
        }
        if (fault.mode == FaultMode::None)
            fault.cleanRun.assign(schedule.operations().begin() + before, schedule.operations().end());
        else
            EXPECT_TRUE(schedule.met()) << "the run never made that call: it differs from the clean run";
        EXPECT_EQ(fault.ended, fault.mode == FaultMode::EndProcess) << "whether the process ended";
        schedule.lift();
        check(world, static_cast<const Fault&>(fault));
    };
    attempt();
    const int calls = static_cast<int>(fault.cleanRun.size());
    for (fault.call = 1; fault.call <= calls; ++fault.call) {
        for (FaultMode mode : {FaultMode::Once, FaultMode::FromThenOn, FaultMode::EndProcess}) {
            fault.mode = mode;
            attempt();
        }
    }
    return calls;
}

}  // namespace wf::testing
