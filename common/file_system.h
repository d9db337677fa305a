#pragma once
// File services of both programs. Paths are Windows paths in the ANSI code page.
// Every failing call raises RunError with the classic file error numbers:
// 53 file not found, 76 path not found, 75 path/file access error, 70 permission
// denied, 58 file already exists, 52 bad file name, 61 disk full.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace wf {

// File attribute bits as Windows reports them.
enum FileAttribute : std::uint32_t {
    kAttrReadOnly = 0x01,
    kAttrHidden = 0x02,
    kAttrSystem = 0x04,
    kAttrDirectory = 0x10,
    kAttrArchive = 0x20,
    kAttrNormal = 0x80,
};

// A file open for reading from its start, read a piece at a time so that a large
// file is never held whole. Closed when destroyed.
class FileReader {
public:
    virtual ~FileReader() = default;
    // Reads up to `size` bytes into `buffer`: the count read, 0 at the end of the
    // file. Raises when the file cannot be read further.
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
};

// Told how far a copy has come: the bytes written so far and the file's size.
// Answers false to stop the copy.
using CopyProgress = std::function<bool(std::uint64_t copied, std::uint64_t total)>;

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Directory lookup of normal files: the file-name part of the first file that
    // matches `pattern` (which may hold * and ?) and is neither hidden, system nor a
    // folder; empty when there is none. Raises for a malformed path or an
    // unreachable drive, not for a missing file.
    virtual std::string findFile(const std::string& pattern) = 0;

    // Names of the entries directly inside `folder`, files and subfolders alike (not
    // "." and ".."), in the order the system lists them. Raises 76 when the folder
    // does not exist. `folder` may end with a separator.
    virtual std::vector<std::string> listFolder(const std::string& folder) = 0;

    // Attribute bits of a file or folder; raises 53 when the path does not exist.
    virtual std::uint32_t attributes(const std::string& path) = 0;

    // True when `path` names an existing file (folders are not files).
    virtual bool fileExists(const std::string& path) = 0;

    // Size of the file in bytes; 0 when it cannot be read. Never raises: only
    // progress is measured with it.
    virtual std::uint64_t fileSize(const std::string& path) = 0;

    // Opens a file for reading in binary; raises 53 when missing, 76 when its
    // folder is.
    virtual std::unique_ptr<FileReader> openForReading(const std::string& path) = 0;

    // Replaces the content of `path` (created when missing).
    virtual void writeAll(const std::string& path, std::string_view bytes) = 0;

    // Appends to `path`, creating it when missing; never truncates.
    virtual void append(const std::string& path, std::string_view bytes) = 0;

    // Version number of the file's version resource as "a.b.c.d"; empty when the
    // file has none or cannot be read. Never raises.
    virtual std::string versionText(const std::string& path) = 0;

    // Deletes a file; with `force` a read-only file is deleted too.
    virtual void deleteFile(const std::string& path, bool force) = 0;

    // Renames a file; raises 58 when `to` exists, unless `replaceExisting`: then a
    // file `to` is replaced in the same step, so that `to` names either the old
    // file or the moved one, never neither.
    virtual void moveFile(const std::string& from, const std::string& to, bool replaceExisting) = 0;

    // Copies a file; with `overwrite` an existing target is replaced. When
    // `progress` is set it is called after every piece written, with the bytes
    // written so far and the file's size, at least once (an empty file reports
    // (0, 0)). When it answers false the copy stops, the partial target is
    // removed (so with `overwrite` a file that was there before is gone too) and
    // the call raises 18 "User interrupt occurred".
    virtual void copyFile(const std::string& from, const std::string& to, bool overwrite,
                          const CopyProgress& progress) = 0;

    // Copies a file as copyFile does without progress, an existing target replaced,
    // through one open handle of the source that no one may write meanwhile, and
    // answers the SHA-256 of the bytes it wrote, as fileHash writes it.
    virtual std::string copyFileHashed(const std::string& from, const std::string& to) = 0;

    // SHA-256 of the file's bytes as 64 lower-case hexadecimal digits; raises as
    // openForReading.
    virtual std::string fileHash(const std::string& path) = 0;

    // True when the file is a whole Windows program: its headers and the data of
    // every section lie within it, which a copy cut short fails. False when the
    // file cannot be read. Never raises.
    virtual bool isWholeProgram(const std::string& path) = 0;

    // The OriginalFilename text of the file's version resource; empty when the file
    // has none or cannot be read. Never raises.
    virtual std::string originalFilename(const std::string& path) = 0;

    // Gives `replacement` the name of `target` in one call, `target` itself going
    // to `backup` (replacing a file of that name): `target` can be a running
    // program, which may be renamed but not overwritten. On failure both keep their
    // names.
    virtual void replaceFile(const std::string& target, const std::string& replacement,
                             const std::string& backup) = 0;
};

}  // namespace wf
