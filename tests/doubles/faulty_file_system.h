#pragma once
// Any file system, real or in memory, failing as its plan says: each call meets the
// plan first and reaches the wrapped one only when the plan lets it through, so a
// real adapter can be failed at step N too. Nothing is half done here: a failing
// call changes nothing.
#include "common/file_system.h"
#include "tests/doubles/file_faults.h"

namespace wf::testing {

class FaultyFileSystem : public FileSystem {
public:
    explicit FaultyFileSystem(FileSystem& wrapped) : wrapped_(wrapped) {}

    FileFaultPlan& faults() { return faults_; }

    std::string findFile(const std::string& pattern) override;
    std::vector<std::string> listFolder(const std::string& folder) override;
    std::uint32_t attributes(const std::string& path) override;
    bool fileExists(const std::string& path) override;
    std::uint64_t fileSize(const std::string& path) override;
    // Each piece read from the opened file meets the plan as Read.
    std::unique_ptr<FileReader> openForReading(const std::string& path) override;
    void writeAll(const std::string& path, std::string_view bytes) override;
    void append(const std::string& path, std::string_view bytes) override;
    std::string versionText(const std::string& path) override;
    void deleteFile(const std::string& path, bool force) override;
    void moveFile(const std::string& from, const std::string& to, bool replaceExisting) override;
    void copyFile(const std::string& from, const std::string& to, bool overwrite,
                  const CopyProgress& progress) override;
    std::string copyFileHashed(const std::string& from, const std::string& to) override;
    std::string fileHash(const std::string& path) override;
    bool isWholeProgram(const std::string& path) override;
    std::string originalFilename(const std::string& path) override;
    void replaceFile(const std::string& target, const std::string& replacement, const std::string& backup) override;

private:
    // Raises the plan's error for this call, if any.
    void enter(FileOp op);

    FileSystem& wrapped_;
    FileFaultPlan faults_{usualFileFault()};
};

}  // namespace wf::testing
