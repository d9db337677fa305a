#include "platform/win32/system_library.h"

#include "platform/win32/win32_error.h"

namespace wf::win32 {

namespace {

// Windows 7 without its loader update knows neither SetDefaultDllDirectories nor the
// search flags, so both are looked up rather than imported.
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

SetDefaultDllDirectoriesFunction setDefaultDllDirectories() {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (kernel == nullptr) return nullptr;
    return reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
}

std::wstring systemFolderPath(const wchar_t* fileName) {
    wchar_t folder[MAX_PATH] = {};
    UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) raiseLastError();
    return std::wstring(folder, length) + L"\\" + fileName;
}

HMODULE loadFromSystemFolder(const wchar_t* fileName, SystemLibrary::Lookup lookup) {
    if (lookup == SystemLibrary::Lookup::RedirectableName) {
        HMODULE module = LoadLibraryExW(fileName, nullptr, kSearchSystem32);
        if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER) return module;
    }
    // The full path, whose own dependencies are then looked for in the system folder first.
    return LoadLibraryExW(systemFolderPath(fileName).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// Library names are plain ASCII.
std::string narrow(const wchar_t* text) {
    std::string narrowed;
    for (; *text != L'\0'; ++text) narrowed += static_cast<char>(*text);
    return narrowed;
}

// The system's own failure, told of `what`: "not found" alone does not say
// which library or entry point is missing.
[[noreturn]] void raiseLastErrorOf(const std::string& what) {
    const RunError failure = translateError(GetLastError());
    throw RunError(failure.number(), what + ": " + failure.description());
}

}  // namespace

void restrictLibrarySearchToSystemFolder() {
    if (SetDefaultDllDirectoriesFunction restrict = setDefaultDllDirectories()) restrict(kSearchSystem32);
}

SystemLibrary::SystemLibrary(const wchar_t* fileName, Lookup lookup)
    : name_(narrow(fileName)), module_(loadFromSystemFolder(fileName, lookup)) {
    if (module_ == nullptr) raiseLastErrorOf(name_ + " could not be loaded from the system folder");
}

SystemLibrary::~SystemLibrary() { FreeLibrary(module_); }

FARPROC SystemLibrary::address(const char* name) const {
    FARPROC function = GetProcAddress(module_, name);
    if (function == nullptr) raiseLastErrorOf(name_ + " lacks " + name);
    return function;
}

}  // namespace wf::win32
