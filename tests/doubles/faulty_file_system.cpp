#include "tests/doubles/faulty_file_system.h"

namespace wf::testing {

void FaultyFileSystem::enter(FileOp op) {
    if (const RunError* error = faults_.check(op)) throw *error;
}

std::string FaultyFileSystem::findFile(const std::string& pattern) {
    enter(FileOp::FindFile);
    return wrapped_.findFile(pattern);
}

std::vector<std::string> FaultyFileSystem::listFolder(const std::string& folder) {
    enter(FileOp::ListFolder);
    return wrapped_.listFolder(folder);
}

std::uint32_t FaultyFileSystem::attributes(const std::string& path) {
    enter(FileOp::Attributes);
    return wrapped_.attributes(path);
}

bool FaultyFileSystem::fileExists(const std::string& path) {
    enter(FileOp::FileExists);
    return wrapped_.fileExists(path);
}

std::uint64_t FaultyFileSystem::fileSize(const std::string& path) {
    if (faults_.check(FileOp::Size)) return 0;
    return wrapped_.fileSize(path);
}

std::unique_ptr<FileReader> FaultyFileSystem::openForReading(const std::string& path) {
    enter(FileOp::OpenForReading);
    return std::make_unique<PlannedFileReader>(wrapped_.openForReading(path), faults_);
}

void FaultyFileSystem::writeAll(const std::string& path, std::string_view bytes) {
    enter(FileOp::WriteAll);
    wrapped_.writeAll(path, bytes);
}

void FaultyFileSystem::append(const std::string& path, std::string_view bytes) {
    enter(FileOp::Append);
    wrapped_.append(path, bytes);
}

std::string FaultyFileSystem::versionText(const std::string& path) {
    if (faults_.check(FileOp::VersionText)) return {};
    return wrapped_.versionText(path);
}

void FaultyFileSystem::deleteFile(const std::string& path, bool force) {
    enter(FileOp::Delete);
    wrapped_.deleteFile(path, force);
}

void FaultyFileSystem::moveFile(const std::string& from, const std::string& to, bool replaceExisting) {
    enter(FileOp::Move);
    wrapped_.moveFile(from, to, replaceExisting);
}

void FaultyFileSystem::copyFile(const std::string& from, const std::string& to, bool overwrite,
                                const CopyProgress& progress) {
    enter(FileOp::Copy);
    wrapped_.copyFile(from, to, overwrite, progress);
}

std::string FaultyFileSystem::copyFileHashed(const std::string& from, const std::string& to) {
    enter(FileOp::Copy);
    return wrapped_.copyFileHashed(from, to);
}

std::string FaultyFileSystem::fileHash(const std::string& path) {
    enter(FileOp::Hash);
    return wrapped_.fileHash(path);
}

bool FaultyFileSystem::isWholeProgram(const std::string& path) {
    if (faults_.check(FileOp::WholeProgram)) return false;
    return wrapped_.isWholeProgram(path);
}

std::string FaultyFileSystem::originalFilename(const std::string& path) {
    if (faults_.check(FileOp::OriginalFilename)) return {};
    return wrapped_.originalFilename(path);
}

void FaultyFileSystem::replaceFile(const std::string& target, const std::string& replacement,
                                   const std::string& backup) {
    enter(FileOp::Replace);
    wrapped_.replaceFile(target, replacement, backup);
}

}  // namespace wf::testing
