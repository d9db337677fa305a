#pragma once
// Shows how far an operation has come on the processing page's bar. The bar
// takes every step; the screen is redrawn at most a few times a second, so a
// script of thousands of batches is not slowed by its own progress.
#include <cstdint>
#include <functional>
#include <optional>

#include "common/clock.h"
#include "installer/dialogs/form_controls.h"

namespace wf {

class ProgressDisplay {
public:
    static constexpr std::uint64_t kRedrawMilliseconds = 250;

    ProgressDisplay(ProgressBar& bar, Clock& clock, std::function<void()> redraw)
        : bar_(bar), clock_(clock), redraw_(std::move(redraw)) {}

    // The bar shown empty, in its normal colour; its first step is drawn at once.
    void start();
    // `done` of `total` units; nothing is known of a total of 0.
    void show(std::uint64_t done, std::uint64_t total);
    // Full once the operation succeeded; where it stopped, in the error colour,
    // when it failed. Drawn with the outcome.
    void end(bool succeeded);

private:
    ProgressBar& bar_;
    Clock& clock_;
    std::function<void()> redraw_;
    std::optional<std::uint64_t> drawnAt_;
};

}  // namespace wf
