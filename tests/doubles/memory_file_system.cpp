#include "tests/doubles/memory_file_system.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace wf::testing {
namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string folderOf(const std::string& path) {
    std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Wildcard match of * and ? on lower-case texts. A closing ".*" also matches a name
// without an extension, as the system's lookup does.
bool matches(const char* pattern, const char* text) {
    if (*pattern == '\0') return *text == '\0';
    if (*text == '\0' && std::string_view(pattern) == ".*") return true;
    if (*pattern == '*') return matches(pattern + 1, text) || (*text != '\0' && matches(pattern, text + 1));
    if (*text == '\0') return false;
    return (*pattern == '?' || *pattern == *text) && matches(pattern + 1, text + 1);
}

bool isNormal(std::uint32_t attributes) {
    return (attributes & (kAttrHidden | kAttrSystem | kAttrDirectory)) == 0;
}

class ContentReader : public FileReader {
public:
    explicit ContentReader(std::string content) : content_(std::move(content)) {}
    std::size_t read(char* buffer, std::size_t size) override {
        const std::size_t count = content_.copy(buffer, size, position_);
        position_ += count;
        return count;
    }

private:
    std::string content_;
    std::size_t position_ = 0;
};

}  // namespace

std::string MemoryFileSystem::key(const std::string& path) { return lower(path); }

void MemoryFileSystem::addFolder(const std::string& path) {
    std::string folder = path;
    while (!folder.empty()) {
        folders_.emplace(key(folder), folder);
        folder = folderOf(folder);
    }
}

void MemoryFileSystem::addFile(const std::string& path, std::string content, std::uint32_t attributes,
                               std::string version) {
    const bool program = !version.empty();
    addFile(path, File{std::move(content), attributes, std::move(version), program ? nameOf(path) : "", program});
}

void MemoryFileSystem::addFile(const std::string& path, File file) {
    addFolder(folderOf(path));
    put(path, std::move(file));
}

bool MemoryFileSystem::has(const std::string& path) const { return files_.count(key(path)) != 0; }

const MemoryFileSystem::File& MemoryFileSystem::file(const std::string& path) const {
    auto found = files_.find(key(path));
    if (found == files_.end()) throw std::logic_error("no file " + path);
    return found->second;
}

bool MemoryFileSystem::hasFolder(const std::string& path) const { return folders_.count(key(path)) != 0; }

std::set<std::string> MemoryFileSystem::filesIn(const std::string& folder) const {
    std::set<std::string> result;
    for (const auto& [path, name] : names_)
        if (folderOf(path) == key(folder)) result.insert(nameOf(name));
    return result;
}

void MemoryFileSystem::enter(FileOp op) {
    if (const RunError* error = faults_.check(op)) throw *error;
}

void MemoryFileSystem::requireParentFolder(const std::string& path) const {
    std::string folder = folderOf(path);
    if (!folder.empty() && folders_.count(key(folder)) == 0) throw RunError(kErrPathNotFound, "Path not found");
}

MemoryFileSystem::Files::iterator MemoryFileSystem::requireFile(const std::string& path) {
    auto found = files_.find(key(path));
    if (found != files_.end()) return found;
    requireParentFolder(path);
    throw RunError(kErrFileNotFound, "File not found");
}

std::string MemoryFileSystem::findFile(const std::string& pattern) {
    enter(FileOp::FindFile);
    if (pattern.find_first_of("<>|\"") != std::string::npos) throw RunError(kErrBadFileName, "Bad file name or number");
    std::string folder = key(folderOf(pattern));
    std::string namePattern = lower(nameOf(pattern));
    for (const auto& [path, file] : files_) {
        if (folderOf(path) != folder || !isNormal(file.attributes)) continue;
        if (matches(namePattern.c_str(), nameOf(path).c_str())) return nameOf(names_.at(path));
    }
    return {};
}

std::vector<std::string> MemoryFileSystem::listFolder(const std::string& path) {
    enter(FileOp::ListFolder);
    const std::string folder = path.ends_with('\\') ? path.substr(0, path.size() - 1) : path;
    if (folders_.count(key(folder)) == 0) throw RunError(kErrPathNotFound, "Path not found");
    std::map<std::string, std::string> entries;  // by lower-case name
    for (const auto& [path, name] : folders_)
        if (folderOf(path) == key(folder)) entries.emplace(nameOf(path), nameOf(name));
    for (const auto& [path, name] : names_)
        if (folderOf(path) == key(folder)) entries.emplace(nameOf(path), nameOf(name));
    std::vector<std::string> names;
    for (const auto& [lowerName, name] : entries) names.push_back(name);
    return names;
}

std::uint32_t MemoryFileSystem::attributes(const std::string& path) {
    enter(FileOp::Attributes);
    if (folders_.count(key(path))) return kAttrDirectory;
    auto found = files_.find(key(path));
    if (found == files_.end()) throw RunError(kErrFileNotFound, "File not found");
    return found->second.attributes;
}

bool MemoryFileSystem::fileExists(const std::string& path) {
    enter(FileOp::FileExists);
    return files_.count(key(path)) != 0;
}

std::uint64_t MemoryFileSystem::fileSize(const std::string& path) {
    if (faults_.check(FileOp::Size)) return 0;
    auto found = files_.find(key(path));
    return found == files_.end() ? 0 : found->second.content.size();
}

std::unique_ptr<FileReader> MemoryFileSystem::openForReading(const std::string& path) {
    enter(FileOp::OpenForReading);
    return std::make_unique<PlannedFileReader>(std::make_unique<ContentReader>(requireFile(path)->second.content),
                                               faults_);
}

void MemoryFileSystem::writeAll(const std::string& path, std::string_view bytes) {
    enter(FileOp::WriteAll);
    requireParentFolder(path);
    auto found = files_.find(key(path));
    if (found != files_.end() && (found->second.attributes & kAttrReadOnly))
        throw RunError(kErrPathFileAccess, "Path/File access error");
    if (found == files_.end()) addFile(path);
    files_[key(path)].content = std::string(bytes);
}

void MemoryFileSystem::append(const std::string& path, std::string_view bytes) {
    enter(FileOp::Append);
    requireParentFolder(path);
    auto found = files_.find(key(path));
    if (found != files_.end() && (found->second.attributes & kAttrReadOnly))
        throw RunError(kErrPathFileAccess, "Path/File access error");
    if (found == files_.end()) addFile(path);
    files_[key(path)].content += bytes;
}

std::string MemoryFileSystem::versionText(const std::string& path) {
    if (faults_.check(FileOp::VersionText)) return {};
    auto found = files_.find(key(path));
    return found == files_.end() ? std::string() : found->second.version;
}

void MemoryFileSystem::deleteFile(const std::string& path, bool force) {
    enter(FileOp::Delete);
    auto found = requireFile(path);
    if ((found->second.attributes & kAttrReadOnly) && !force) throw RunError(kErrPermissionDenied, "Permission denied");
    forget(path);
}

void MemoryFileSystem::forget(const std::string& path) {
    files_.erase(key(path));
    names_.erase(key(path));
}

void MemoryFileSystem::moveFile(const std::string& from, const std::string& to, bool replaceExisting) {
    enter(FileOp::Move);
    auto found = requireFile(from);
    auto target = files_.find(key(to));
    bool sameFile = key(from) == key(to);  // a rename that changes only the case
    if (!sameFile && ((target != files_.end() && !replaceExisting) || folders_.count(key(to))))
        throw RunError(kErrFileAlreadyExists, "File already exists");
    if (!sameFile && target != files_.end() && (target->second.attributes & kAttrReadOnly))
        throw RunError(kErrPathFileAccess, "Path/File access error");
    requireParentFolder(to);
    File moved = found->second;
    files_.erase(found);
    names_.erase(key(from));
    put(to, moved);
}

void MemoryFileSystem::put(const std::string& path, File file) {
    files_[key(path)] = std::move(file);
    names_[key(path)] = path;
}

void MemoryFileSystem::copyFile(const std::string& from, const std::string& to, bool overwrite,
                                const CopyProgress& progress) {
    FileFaultPlan::Verdict verdict = faults_.enter(FileOp::Copy);
    if (verdict.endsProcess) {
        ignoreFailure([&] { copyUpTo(from, to, overwrite, progress, true); });
        throw ProcessEnded{};
    }
    if (!verdict.error) return copyUpTo(from, to, overwrite, progress, false);
    if (verdict.error->number() != kErrDiskFull) throw *verdict.error;
    copyUpTo(from, to, overwrite, progress, true);
    throw *verdict.error;
}

void MemoryFileSystem::copyUpTo(const std::string& from, const std::string& to, bool overwrite,
                                const CopyProgress& progress, bool halfOnly) {
    auto found = requireFile(from);
    auto target = files_.find(key(to));
    if (target != files_.end() && !overwrite) throw RunError(kErrFileAlreadyExists, "File already exists");
    if (target != files_.end() && (target->second.attributes & kAttrReadOnly))
        throw RunError(kErrPathFileAccess, "Path/File access error");
    requireParentFolder(to);
    const File source = found->second;
    if (whileCopying) whileCopying();
    const std::size_t end = halfOnly ? source.content.size() / 2 : source.content.size();
    File copy = halfOnly ? File{{}, source.attributes, {}, {}, false} : source;  // half a program is none
    copy.content.clear();
    put(to, std::move(copy));
    std::string& written = files_.at(key(to)).content;
    do {
        written.append(source.content, written.size(), std::min(copyPiece, end - written.size()));
        if (progress && !progress(written.size(), source.content.size())) {
            forget(to);
            throw userInterrupt();
        }
    } while (written.size() < end);
}

std::string MemoryFileSystem::copyFileHashed(const std::string& from, const std::string& to) {
    copyFile(from, to, true, {});
    return file(to).content;
}

std::string MemoryFileSystem::fileHash(const std::string& path) {
    enter(FileOp::Hash);
    return requireFile(path)->second.content;
}

bool MemoryFileSystem::isWholeProgram(const std::string& path) {
    if (faults_.check(FileOp::WholeProgram)) return false;
    auto found = files_.find(key(path));
    return found != files_.end() && found->second.wholeProgram;
}

std::string MemoryFileSystem::originalFilename(const std::string& path) {
    if (faults_.check(FileOp::OriginalFilename)) return {};
    auto found = files_.find(key(path));
    return found == files_.end() ? std::string() : found->second.originalFilename;
}

void MemoryFileSystem::replaceFile(const std::string& target, const std::string& replacement,
                                   const std::string& backup) {
    enter(FileOp::Replace);
    if (!files_.count(key(target)) || !files_.count(key(replacement)))
        throw RunError(kErrFileNotFound, "File not found");
    File previous = files_.at(key(target));
    files_[key(target)] = files_.at(key(replacement));
    files_.erase(key(replacement));
    names_.erase(key(replacement));
    put(backup, previous);
}

}  // namespace wf::testing
