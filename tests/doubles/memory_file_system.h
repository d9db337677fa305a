#pragma once
// In-memory file system with Windows path rules (case-insensitive, "\" separators)
// and fault injection per operation, so that every step can be failed in turn.
#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "common/file_system.h"

namespace wf::testing {

enum class FileOp { FindFile, ListFiles, Attributes, FileExists, ReadAll, WriteAll, Append, VersionText, Delete, Move, Copy, Replace };

// Raised by every call once the process has ended (see endProcessAtCall). No step
// of the programs catches it, as nothing runs in a process that is gone.
struct ProcessEnded {};

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
    // Ends the process at the `nth` next call (0: never): that call and every later
    // one change nothing, except that a copy leaves the half target a copy stopped
    // midway leaves, and raise ProcessEnded.
    void endProcessAtCall(int nth) { callsLeft_ = nth; }

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
    void replaceFile(const std::string& target, const std::string& replacement, const std::string& backup) override;

private:
    struct Fault {
        long number;
        int remaining;
        bool sticky;
    };
    void enter(FileOp op);
    void put(const std::string& path, File file);
    // The copy itself; with `halfOnly` it stops halfway, as a process ending midway does.
    void copyUpTo(const std::string& from, const std::string& to, bool overwrite, bool halfOnly);
    void requireParentFolder(const std::string& path) const;
    static std::string key(const std::string& path);

    std::map<std::string, File> files_;        // by lower-case path
    std::map<std::string, std::string> names_; // lower-case path -> path as given
    std::set<std::string> folders_;            // lower-case paths
    std::map<FileOp, Fault> faults_;
    std::map<FileOp, int> calls_;
    std::size_t copyLimit_ = static_cast<std::size_t>(-1);
    int callsLeft_ = 0;  // until the process ends; 0 when it does not, -1 once ended
};

}  // namespace wf::testing
