#include "platform/win32/win32_version.h"

#include <windows.h>

#include "platform/win32/version_library.h"

namespace wf::win32 {

std::optional<ProgramVersion> fixedFileVersion(std::vector<char>& block) {
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (block.empty() ||
        !versionLibrary().VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) ||
        info == nullptr || length < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    return ProgramVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                          HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS)};
}

}  // namespace wf::win32
