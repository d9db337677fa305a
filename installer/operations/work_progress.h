#pragma once
// How an operation tells how far it has come: `done` of `total` units, the
// bytes of the files it reads or copies and its steps.
#include <cstdint>
#include <functional>

namespace wf {

using WorkProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

}  // namespace wf
