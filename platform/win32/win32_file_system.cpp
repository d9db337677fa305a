#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

#include "platform/win32/win32_error.h"
#include "platform/win32/version_library.h"
#include "platform/win32/win32_handles.h"
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

// Writes `source`'s pieces into `target`, telling `progress` after each one.
void copyPieces(HANDLE source, HANDLE target, const CopyProgress& progress) {
    constexpr DWORD kPiece = 256 * 1024;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(source, &size)) raiseLastError();
    const std::uint64_t total = static_cast<std::uint64_t>(size.QuadPart);
    std::vector<char> piece(kPiece);
    std::uint64_t copied = 0;
    DWORD got = 0;
    do {
        if (!ReadFile(source, piece.data(), kPiece, &got, nullptr)) raiseLastError();
        writeAllBytes(target, std::string_view(piece.data(), got));
        copied += got;
        // The end of a file is reported with its last piece; an empty file's once.
        if ((got > 0 || copied == 0) && !progress(copied, total)) throw userInterrupt();
    } while (got > 0);
}

// Wine's CopyFileEx never calls its progress routine (not once for a 50 MiB copy),
// so a copy that reports how far it has come is our own. In 256 KiB pieces it
// keeps CopyFileA's pace (64 KiB pieces did too); the sequential-scan hint on the
// source was measured to halve it. A copy that fails or is stopped leaves no target behind.
void copyReporting(const std::string& from, const std::string& to, bool overwrite, const CopyProgress& progress) {
    FileHandle source(CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!source) raiseLastError();
    std::exception_ptr failure;
    {
        FileHandle target(CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, overwrite ? CREATE_ALWAYS : CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!target) raiseLastError();
        try {
            copyPieces(source.get(), target.get(), progress);
        } catch (...) {
            failure = std::current_exception();
        }
    }
    if (!failure) return;
    DeleteFileA(to.c_str());
    std::rethrow_exception(failure);
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
    DWORD ignored = 0;
    const VersionLibrary& library = versionLibrary();
    DWORD size = library.GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<char> block(size);
    if (!library.GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return {};
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
    if (progress) return copyReporting(from, to, overwrite, progress);
    if (!CopyFileA(from.c_str(), to.c_str(), overwrite ? FALSE : TRUE)) raiseLastError();
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
