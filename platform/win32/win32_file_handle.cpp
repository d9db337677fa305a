#include "platform/win32/win32_file_handle.h"

#include <algorithm>

#include "platform/win32/win32_error.h"

namespace wf::win32 {

void FileHandle::close() {
    if (valid()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

void FileHandle::writeAll(std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        if (!WriteFile(handle_, bytes.data() + done, chunk, &written, nullptr)) raiseLastError();
        done += written;
    }
}

}  // namespace wf::win32
