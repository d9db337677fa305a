#pragma once
// In-memory file system with Windows path rules (case-insensitive, "\" separators)
// and fault injection per operation, so that every step can be failed in turn.
#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "common/file_system.h"

namespace wf::testing {

enum class FileOp { FindFile, ListFiles, Attributes, FileExists, ReadAll, WriteAll, Append, VersionText, Delete, Move, Copy };

class MemoryFileSystem : public FileSystem {
public:
    struct File {
        std::string content;
        std::uint32_t attributes = kAttrArchive;
        std::string version;  // version resource text, empty when none
    };

    // Set-up.
    void addFolder(const std::string& path);
    void addFile(const std::string& path, std::string content = {}, std::uint32_t attributes = kAttrArchive,
                 std::string version = {});
    // Makes the `nth` next call (1 = the next one) of `op` raise `number`; with
    // `sticky` every later call fails too.
    void failCall(FileOp op, long number, int nth = 1, bool sticky = false);
    // Stops a copy after `bytes` bytes, leaving a truncated target, and raises 61.
    void interruptCopyAfter(std::size_t bytes) { copyLimit_ = bytes; }

    // Inspection.
    bool has(const std::string& path) const;
    const File& file(const std::string& path) const;
    bool hasFolder(const std::string& path) const;
    std::set<std::string> filesIn(const std::string& folder) const;
    int calls(FileOp op) const;

    // FileSystem.
    std::string findFile(const std::string& pattern) override;
    std::vector<std::string> listFiles(const std::string& pattern) override;
    std::uint32_t attributes(const std::string& path) override;
    bool fileExists(const std::string& path) override;
    std::string readAll(const std::string& path) override;
    void writeAll(const std::string& path, std::string_view bytes) override;
    void append(const std::string& path, std::string_view bytes) override;
    std::string versionText(const std::string& path) override;
    void deleteFile(const std::string& path, bool force) override;
    void moveFile(const std::string& from, const std::string& to) override;
    void copyFile(const std::string& from, const std::string& to, bool overwrite) override;

private:
    struct Fault {
        long number;
        int remaining;
        bool sticky;
    };
    void enter(FileOp op);
    void requireParentFolder(const std::string& path) const;
    static std::string key(const std::string& path);

    std::map<std::string, File> files_;        // by lower-case path
    std::map<std::string, std::string> names_; // lower-case path -> path as given
    std::set<std::string> folders_;            // lower-case paths
    std::map<FileOp, Fault> faults_;
    std::map<FileOp, int> calls_;
    std::size_t copyLimit_ = static_cast<std::size_t>(-1);
};

}  // namespace wf::testing
