#pragma once
// In-memory file system with Windows path rules (case-insensitive, "\" separators)
// and a fault plan, so that every step can be failed in turn.
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "common/file_system.h"
#include "tests/doubles/file_faults.h"

namespace wf::testing {

// A copy that fails with disk full (61), or during which the process ends, leaves
// the half target a copy stopped midway leaves, which is no program. A copy is
// written, and its progress reported, `copyPiece` bytes at a time. A file's hash
// stands in for SHA-256 with its content itself, equal exactly when the bytes are.
class MemoryFileSystem : public FileSystem {
public:
    struct File {
        std::string content;
        std::uint32_t attributes = kAttrArchive;
        std::string version;           // version resource text, empty when none
        std::string originalFilename;  // the version resource's OriginalFilename
        bool wholeProgram = false;
    };

    // Set-up. A file given a version is a whole program as its build made it, its
    // OriginalFilename its own name; the File form describes any other.
    void addFolder(const std::string& path);
    void addFile(const std::string& path, std::string content = {}, std::uint32_t attributes = kAttrArchive,
                 std::string version = {});
    void addFile(const std::string& path, File file);
    FileFaultPlan& faults() { return faults_; }
    std::size_t copyPiece = 64 * 1024;
    // Runs during each copy once it holds its source's bytes, as another program
    // changing the source meanwhile.
    std::function<void()> whileCopying;

    // Inspection.
    bool has(const std::string& path) const;
    const File& file(const std::string& path) const;
    bool hasFolder(const std::string& path) const;
    std::set<std::string> filesIn(const std::string& folder) const;

    // FileSystem.
    std::string findFile(const std::string& pattern) override;
    // In name order, as the system lists a local disk's folder.
    std::vector<std::string> listFolder(const std::string& folder) override;
    std::uint32_t attributes(const std::string& path) override;
    bool fileExists(const std::string& path) override;
    std::uint64_t fileSize(const std::string& path) override;
    // The content as it is when opened; each piece read meets the plan as Read.
    std::unique_ptr<FileReader> openForReading(const std::string& path) override;
    void writeAll(const std::string& path, std::string_view bytes) override;
    void append(const std::string& path, std::string_view bytes) override;
    std::string versionText(const std::string& path) override;
    void deleteFile(const std::string& path, bool force) override;
    // A folder or a read-only file at `to` is never replaced.
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
    using Files = std::map<std::string, File>;
    void put(const std::string& path, File file);
    // The file at `path`; raises 53 when missing, 76 when its folder is.
    Files::iterator requireFile(const std::string& path);
    // The copy itself; with `halfOnly` it stops halfway.
    void copyUpTo(const std::string& from, const std::string& to, bool overwrite, const CopyProgress& progress,
                  bool halfOnly);
    void forget(const std::string& path);
    void requireParentFolder(const std::string& path) const;
    static std::string key(const std::string& path);

    Files files_;                              // by lower-case path
    std::map<std::string, std::string> names_; // lower-case path -> path as given
    std::map<std::string, std::string> folders_;  // lower-case path -> path as given
    FileFaultPlan faults_{usualFileFault()};
};

}  // namespace wf::testing
