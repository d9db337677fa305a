#include "installer/operations/installation_progress.h"

#include <algorithm>

namespace wf {

InstallationProgress::InstallationProgress(std::uint64_t fileBytes, int steps, WorkProgress report)
    : report_(std::move(report)),
      stepBytes_(std::max<std::uint64_t>(fileBytes / 100, 1)),
      total_(fileBytes + stepBytes_ * static_cast<std::uint64_t>(steps)) {}

void InstallationProgress::stepDone() {
    done_ += stepBytes_;
    tell();
}

void InstallationProgress::copying(const std::string& target, std::uint64_t copied, std::uint64_t total) {
    if (target != target_) {
        done_ += targetSize_;
        target_ = target;
    }
    targetCopied_ = copied;
    targetSize_ = total;
    tell();
}

void InstallationProgress::tell() const {
    if (report_) report_(std::min(done_ + targetCopied_, total_), total_);
}

}  // namespace wf
