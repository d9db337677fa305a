#pragma once
// An open file of the Win32 file API, closed on every way out.
#include <windows.h>

#include <string_view>

namespace wf::win32 {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    void close();
    // Writes all of `bytes`; raises the translated error when the file takes no more.
    void writeAll(std::string_view bytes);

private:
    HANDLE handle_;
};

}  // namespace wf::win32
