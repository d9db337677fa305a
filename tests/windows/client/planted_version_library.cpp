// A version.dll as anyone who may write a program's folder could plant it there.
// Its entry points answer as for a file without a version resource; the ones the
// programs call name the calling program in version.dll.called beside the library.
// Wine's own user32 and comctl32 import version.dll and call its wide forms, so
// being loaded proves nothing, and those must answer too.
#include <windows.h>

#include <string>

namespace {

std::string modulePath(HMODULE module) {
    char path[MAX_PATH] = {};
    return std::string(path, GetModuleFileNameA(module, path, MAX_PATH));
}

void noteTheCallingProgram() {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&noteTheCallingProgram), &self);
    HANDLE marker =
        CreateFileA((modulePath(self) + ".called").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker == INVALID_HANDLE_VALUE) return;
    std::string line = modulePath(nullptr) + "\r\n";
    DWORD written = 0;
    WriteFile(marker, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(marker);
}

}  // namespace

extern "C" {

__declspec(dllexport) DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR, LPDWORD) {
    noteTheCallingProgram();
    return 0;
}

__declspec(dllexport) BOOL WINAPI GetFileVersionInfoA(LPCSTR, DWORD, DWORD, LPVOID) {
    noteTheCallingProgram();
    return FALSE;
}

__declspec(dllexport) BOOL WINAPI VerQueryValueA(LPCVOID, LPCSTR, LPVOID*, PUINT) {
    noteTheCallingProgram();
    return FALSE;
}

__declspec(dllexport) DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR, LPDWORD) { return 0; }
__declspec(dllexport) BOOL WINAPI GetFileVersionInfoW(LPCWSTR, DWORD, DWORD, LPVOID) { return FALSE; }
__declspec(dllexport) BOOL WINAPI VerQueryValueW(LPCVOID, LPCWSTR, LPVOID*, PUINT) { return FALSE; }

}  // extern "C"
