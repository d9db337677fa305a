#include "installer/wizard/progress_display.h"

#include <algorithm>

namespace wf {

void ProgressDisplay::start() {
    bar_.visible = true;
    bar_.value = 0;
    bar_.failed = false;
    drawnAt_.reset();
}

void ProgressDisplay::show(std::uint64_t done, std::uint64_t total) {
    if (total == 0) return;
    const auto maximum = static_cast<std::uint64_t>(bar_.maximum);
    const int value = static_cast<int>(std::min(done, total) * maximum / total);
    if (value == bar_.value) return;
    bar_.value = value;
    const std::uint64_t now = clock_.milliseconds();
    if (drawnAt_ && now - *drawnAt_ < kRedrawMilliseconds) return;
    drawnAt_ = now;
    redraw_();
}

void ProgressDisplay::end(bool succeeded) {
    if (succeeded) bar_.value = bar_.maximum;
    bar_.failed = !succeeded;
}

}  // namespace wf
