#include "tests/doubles/fault_harness.h"

namespace wf::testing {

int Fault::lastCallOf(std::string_view operation) const {
    for (int call = static_cast<int>(cleanRun.size()); call > 0; --call)
        if (cleanRun[call - 1] == operation) return call;
    return 0;
}

std::string Fault::describe() const {
    if (mode == FaultMode::None) return "the clean run";
    std::string text =
        "call " + std::to_string(call) + " of " + std::to_string(cleanRun.size()) + " (" + cleanRun[call - 1] + ") ";
    switch (mode) {
        case FaultMode::Once:
            return text + "failing once";
        case FaultMode::FromThenOn:
            return text + "failing from then on";
        default:
            return text + "ending the process";
    }
}

}  // namespace wf::testing
