#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <exception>
#include <functional>
#include <utility>
#include <vector>

#include "platform/win32/win32_error.h"
#include "platform/win32/version_library.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_program_image.h"
#include "platform/win32/win32_sha256.h"
#include "platform/win32/win32_version.h"

namespace wf::win32 {
namespace {

class Win32FileReader : public FileReader {
public:
    explicit Win32FileReader(FileHandle file) : file_(std::move(file)) {}
    std::size_t read(char* buffer, std::size_t size) override {
        DWORD got = 0;
        if (!ReadFile(file_.get(), buffer, static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30)), &got, nullptr))
            raiseLastError();
        return got;
    }

private:
    FileHandle file_;
};

bool isNormalFile(const WIN32_FIND_DATAA& found) {
    return (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY)) == 0;
}

void writeAllBytes(HANDLE file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) raiseLastError();
        done += written;
    }
}

// Opens a file for reading from its start; others may read it meanwhile but not change it.
FileHandle openHeldStill(const std::string& path) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) raiseLastError();
    return file;
}

// Hands each piece of `file` to `take` in turn, an empty file's once as an empty piece.
void forEachPiece(HANDLE file, const std::function<void(std::string_view piece)>& take) {
    constexpr DWORD kPiece = 256 * 1024;
    std::vector<char> piece(kPiece);
    std::uint64_t read = 0;
    DWORD got = 0;
    do {
        if (!ReadFile(file, piece.data(), kPiece, &got, nullptr)) raiseLastError();
        read += got;
        if (got > 0 || read == 0) take(std::string_view(piece.data(), got));
    } while (got > 0);
}

// Told of each piece a copy has written, with the source's size; raises to stop it.
using PieceWritten = std::function<void(std::string_view piece, std::uint64_t total)>;

// Our own copy, for one that reports how far it has come (Wine's CopyFileEx never
// calls its progress routine, not once for a 50 MiB copy) and one that hashes what
// it writes. In 256 KiB pieces it keeps CopyFileA's pace (64 KiB pieces did too);
// the sequential-scan hint on the source was measured to halve it. A copy that
// fails or is stopped leaves no target behind.
void copyByPieces(const std::string& from, const std::string& to, bool overwrite, const PieceWritten& written) {
    FileHandle source = openHeldStill(from);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(source.get(), &size)) raiseLastError();
    const std::uint64_t total = static_cast<std::uint64_t>(size.QuadPart);
    std::exception_ptr failure;
    {
        FileHandle target(CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, overwrite ? CREATE_ALWAYS : CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!target) raiseLastError();
        try {
            forEachPiece(source.get(), [&](std::string_view piece) {
                writeAllBytes(target.get(), piece);
                written(piece, total);
            });
        } catch (...) {
            failure = std::current_exception();
        }
    }
    if (!failure) return;
    DeleteFileA(to.c_str());
    std::rethrow_exception(failure);
}

// The file's version resource; empty when it has none or cannot be read.
std::vector<char> versionBlock(const std::string& path) {
    DWORD ignored = 0;
    const VersionLibrary& library = versionLibrary();
    DWORD size = library.GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<char> block(size);
    if (!library.GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return {};
    return block;
}

}  // namespace

std::string Win32FileSystem::findFile(const std::string& pattern) {
    WIN32_FIND_DATAA found{};
    FindHandle search(FindFirstFileA(pattern.c_str(), &found));
    if (!search) {
        DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES || code == ERROR_PATH_NOT_FOUND) return {};
        throw translateError(code);
    }
    std::string name;
    do {
        if (isNormalFile(found)) name = found.cFileName;
    } while (name.empty() && FindNextFileA(search.get(), &found));
    return name;
}

std::vector<std::string> Win32FileSystem::listFolder(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    FindHandle search(FindFirstFileA((folder + (folder.ends_with('\\') ? "*" : "\\*")).c_str(), &found));
    if (!search) {
        DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES) return {};
        throw translateError(code);
    }
    std::vector<std::string> names;
    do {
        const std::string_view name = found.cFileName;
        if (name != "." && name != "..") names.emplace_back(name);
    } while (FindNextFileA(search.get(), &found));
    return names;
}

std::uint32_t Win32FileSystem::attributes(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) throw translateMissingAsFileNotFound(GetLastError());
    return attributes;
}

bool Win32FileSystem::fileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::uint64_t Win32FileSystem::fileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

std::unique_ptr<FileReader> Win32FileSystem::openForReading(const std::string& path) {
    // Others may go on writing the file meanwhile, as the error log is.
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) raiseLastError();
    return std::make_unique<Win32FileReader>(std::move(file));
}

void Win32FileSystem::writeAll(const std::string& path, std::string_view bytes) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) raiseLastError();
    writeAllBytes(file.get(), bytes);
}

void Win32FileSystem::append(const std::string& path, std::string_view bytes) {
    FileHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) raiseLastError();
    writeAllBytes(file.get(), bytes);
}

std::string Win32FileSystem::versionText(const std::string& path) {
    std::vector<char> block = versionBlock(path);
    std::optional<ProgramVersion> version = fixedFileVersion(block);
    if (!version) return {};
    return std::to_string(version->major) + "." + std::to_string(version->minor) + "." +
           std::to_string(version->build) + "." + std::to_string(version->revision);
}

void Win32FileSystem::deleteFile(const std::string& path, bool force) {
    if (force) {
        DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    if (!DeleteFileA(path.c_str())) raiseLastError();
}

void Win32FileSystem::moveFile(const std::string& from, const std::string& to, bool replaceExisting) {
    if (!MoveFileExA(from.c_str(), to.c_str(), replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0)) raiseLastError();
}

void Win32FileSystem::copyFile(const std::string& from, const std::string& to, bool overwrite,
                               const CopyProgress& progress) {
    if (!progress) {
        if (!CopyFileA(from.c_str(), to.c_str(), overwrite ? FALSE : TRUE)) raiseLastError();
        return;
    }
    std::uint64_t copied = 0;
    copyByPieces(from, to, overwrite, [&](std::string_view piece, std::uint64_t total) {
        copied += piece.size();
        if (!progress(copied, total)) throw userInterrupt();
    });
}

std::string Win32FileSystem::copyFileHashed(const std::string& from, const std::string& to) {
    Sha256 digest;
    copyByPieces(from, to, true, [&](std::string_view piece, std::uint64_t) { digest.add(piece); });
    return digest.finish();
}

std::string Win32FileSystem::fileHash(const std::string& path) {
    FileHandle file = openHeldStill(path);
    Sha256 digest;
    forEachPiece(file.get(), [&](std::string_view piece) { digest.add(piece); });
    return digest.finish();
}

bool Win32FileSystem::isWholeProgram(const std::string& path) { return isWholeProgramImage(path); }

std::string Win32FileSystem::originalFilename(const std::string& path) {
    std::vector<char> block = versionBlock(path);
    return versionString(block, "OriginalFilename");
}

void Win32FileSystem::replaceFile(const std::string& target, const std::string& replacement,
                                  const std::string& backup) {
    // Merging the target's attributes and ACL into the replacement is a nicety,
    // not a reason to keep the old file.
    if (ReplaceFileA(target.c_str(), replacement.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr))
        return;
    DWORD code = GetLastError();
    // The system refuses some targets it cannot open as it wants (a running program on
    // some systems) and may stop with the target already aside. Two renames, which a
    // running program allows, finish the work from wherever it stopped.
    bool aside = GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES &&
                 GetFileAttributesA(backup.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!aside && !MoveFileExA(target.c_str(), backup.c_str(), MOVEFILE_REPLACE_EXISTING)) throw translateError(code);
    if (MoveFileExA(replacement.c_str(), target.c_str(), 0)) return;
    code = GetLastError();
    MoveFileExA(backup.c_str(), target.c_str(), 0);
    throw translateError(code);
}

}  // namespace wf::win32
