#pragma once
// The file system a shared test set runs on: the in-memory one natively, the real
// one under Wine, each in an empty folder of the test's own. Each test program
// links exactly one makeFileSystemTarget.
#include <cstdint>
#include <memory>
#include <string>

#include "common/file_system.h"

namespace wf::testing {

class FileSystemTarget {
public:
    virtual ~FileSystemTarget() = default;
    virtual FileSystem& files() = 0;
    // The test's own folder, empty and existing, without a trailing separator.
    virtual const std::string& folder() const = 0;
    virtual void makeFolder(const std::string& path) = 0;
    // Sets a file's attribute bits as the system's own call does.
    virtual void setAttributes(const std::string& path, std::uint32_t attributes) = 0;
};

std::unique_ptr<FileSystemTarget> makeFileSystemTarget();

}  // namespace wf::testing
