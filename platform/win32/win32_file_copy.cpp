#include "platform/win32/win32_file_copy.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "platform/win32/win32_error.h"
#include "platform/win32/win32_file_handle.h"

namespace wf::win32 {
namespace {

// Database files run to gigabytes. The source is read through views of its
// mapping, so that its bytes are copied once, from the system's cache straight
// into the target, instead of through a buffer of ours as well. A view is small
// enough for a 32-bit program's address space.
constexpr std::uint64_t kViewSize = 16u << 20;

class MappedView {
public:
    MappedView(HANDLE mapping, std::uint64_t offset, std::size_t length)
        : bytes_(MapViewOfFile(mapping, FILE_MAP_READ, static_cast<DWORD>(offset >> 32), static_cast<DWORD>(offset),
                               length)),
          length_(length) {
        if (bytes_ == nullptr) raiseLastError();
    }
    ~MappedView() { UnmapViewOfFile(bytes_); }
    MappedView(const MappedView&) = delete;
    MappedView& operator=(const MappedView&) = delete;
    std::string_view bytes() const { return {static_cast<const char*>(bytes_), length_}; }

private:
    void* bytes_;
    std::size_t length_;
};

void copyContent(HANDLE source, std::uint64_t size, FileHandle& target) {
    if (size == 0) return;  // an empty file cannot be mapped
    HANDLE mapping = CreateFileMappingA(source, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping == nullptr) raiseLastError();
    FileHandle mappingHandle(mapping);
    for (std::uint64_t offset = 0; offset < size; offset += kViewSize) {
        MappedView view(mapping, offset, static_cast<std::size_t>(std::min(kViewSize, size - offset)));
        target.writeAll(view.bytes());
    }
}

}  // namespace

void copyWholeFile(const std::string& from, const std::string& to, bool overwrite) {
    FileHandle source(CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    if (!source.valid()) raiseLastError();
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(source.get(), &info)) raiseLastError();
    const std::uint64_t size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    // Written while writable; a read-only source makes the copy read-only once whole.
    FileHandle target(CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, overwrite ? CREATE_ALWAYS : CREATE_NEW,
                                  info.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY, nullptr));
    if (!target.valid()) raiseLastError();
    try {
        copyContent(source.get(), size, target);
        if (!SetFileTime(target.get(), nullptr, nullptr, &info.ftLastWriteTime)) raiseLastError();
    } catch (const RunError&) {
        target.close();
        DeleteFileA(to.c_str());
        throw;
    }
    target.close();
    if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesA(to.c_str(), info.dwFileAttributes);
}

}  // namespace wf::win32
