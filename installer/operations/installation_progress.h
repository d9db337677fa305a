#pragma once
// How far an installation of demonstration data has come, counted in bytes:
// each copy counts the bytes it has written, and each step between copies (a
// database taken out or attached) a hundredth of the data set's bytes, at least
// one, so that those steps move the bar a little however large the files are.
#include <cstdint>
#include <string>

#include "installer/operations/work_progress.h"

namespace wf {

class InstallationProgress {
public:
    // `fileBytes`: the size of the files to copy; `steps`: how many steps between copies.
    InstallationProgress(std::uint64_t fileBytes, int steps, WorkProgress report);

    void stepDone();
    // How far the copy over `target` has come; a new target follows the files
    // copied before it.
    void copying(const std::string& target, std::uint64_t copied, std::uint64_t total);

private:
    void tell() const;

    WorkProgress report_;
    std::uint64_t stepBytes_;
    std::uint64_t total_;
    std::uint64_t done_ = 0;  // the steps and the files whose copy has ended
    std::string target_;
    std::uint64_t targetCopied_ = 0;
    std::uint64_t targetSize_ = 0;
};

}  // namespace wf
