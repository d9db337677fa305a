#include "tests/doubles/memory_file_system.h"
#include "tests/unit/common/file_system_target.h"

namespace wf::testing {
namespace {

class MemoryFileSystemTarget : public FileSystemTarget {
public:
    MemoryFileSystemTarget() { files_.addFolder(folder_); }
    FileSystem& files() override { return files_; }
    const std::string& folder() const override { return folder_; }
    void makeFolder(const std::string& path) override { files_.addFolder(path); }
    void setAttributes(const std::string& path, std::uint32_t attributes) override {
        const MemoryFileSystem::File& file = files_.file(path);
        files_.addFile(path, file.content, attributes, file.version);
    }

private:
    MemoryFileSystem files_;
    std::string folder_ = "C:\\Scratch";
};

}  // namespace

std::unique_ptr<FileSystemTarget> makeFileSystemTarget() { return std::make_unique<MemoryFileSystemTarget>(); }

}  // namespace wf::testing
