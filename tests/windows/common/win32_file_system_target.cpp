#include <windows.h>

#include "platform/win32/win32_file_system.h"
#include "tests/unit/common/file_system_target.h"
#include "tests/windows/support/scratch_folder.h"

namespace wf::testing {
namespace {

class Win32FileSystemTarget : public FileSystemTarget {
public:
    FileSystem& files() override { return files_; }
    const std::string& folder() const override { return scratch_.path(); }
    void makeFolder(const std::string& path) override { CreateDirectoryA(path.c_str(), nullptr); }
    void setAttributes(const std::string& path, std::uint32_t attributes) override {
        SetFileAttributesA(path.c_str(), attributes);
    }

private:
    ScratchFolder scratch_{"files"};
    win32::Win32FileSystem files_;
};

}  // namespace

std::unique_ptr<FileSystemTarget> makeFileSystemTarget() { return std::make_unique<Win32FileSystemTarget>(); }

}  // namespace wf::testing
