#pragma once
#include "common/file_system.h"

namespace wf::win32 {

// File services over the Win32 file API.
class Win32FileSystem : public FileSystem {
public:
    std::string findFile(const std::string& pattern) override;
    std::vector<std::string> listFolder(const std::string& folder) override;
    std::uint32_t attributes(const std::string& path) override;
    bool fileExists(const std::string& path) override;
    std::uint64_t fileSize(const std::string& path) override;
    std::unique_ptr<FileReader> openForReading(const std::string& path) override;
    void writeAll(const std::string& path, std::string_view bytes) override;
    void append(const std::string& path, std::string_view bytes) override;
    std::string versionText(const std::string& path) override;
    void deleteFile(const std::string& path, bool force) override;
    void moveFile(const std::string& from, const std::string& to, bool replaceExisting) override;
    // Without progress the system's CopyFileA, the fastest copy measured.
    void copyFile(const std::string& from, const std::string& to, bool overwrite,
                  const CopyProgress& progress) override;
    std::string copyFileHashed(const std::string& from, const std::string& to) override;
    std::string fileHash(const std::string& path) override;
    bool isWholeProgram(const std::string& path) override;
    std::string originalFilename(const std::string& path) override;
    void replaceFile(const std::string& target, const std::string& replacement, const std::string& backup) override;
};

}  // namespace wf::win32
