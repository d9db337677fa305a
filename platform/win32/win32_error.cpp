#include "platform/win32/win32_error.h"

namespace wf::win32 {

RunError translateError(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
            return RunError(kErrFileNotFound, "File not found");
        case ERROR_PATH_NOT_FOUND:
            return RunError(kErrPathNotFound, "Path not found");
        case ERROR_ACCESS_DENIED:
            return RunError(kErrPathFileAccess, "Path/File access error");
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
            return RunError(kErrPermissionDenied, "Permission denied");
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return RunError(kErrFileAlreadyExists, "File already exists");
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_DRIVE:
        case ERROR_NOT_READY:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return RunError(kErrBadFileName, "Bad file name or number");
        case ERROR_BAD_EXE_FORMAT:
        case ERROR_EXE_MACHINE_TYPE_MISMATCH:
            return RunError(kErrInvalidProcedureCall, "Invalid procedure call or argument");
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return RunError(kErrDiskFull, "Disk full");
        default:
            break;
    }
    char text[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                  sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' ')) --length;
    std::string description = length > 0 ? std::string(text, length) : "System error " + std::to_string(code);
    return RunError(static_cast<long>(code), description);
}

RunError translateMissingAsFileNotFound(DWORD code) {
    return translateError(code == ERROR_PATH_NOT_FOUND ? ERROR_FILE_NOT_FOUND : code);
}

void raiseLastError() { throw translateError(GetLastError()); }

}  // namespace wf::win32
