#include "platform/win32/win32_version.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "platform/win32/version_library.h"

namespace wf::win32 {

std::optional<ProgramVersion> fixedFileVersion(std::vector<char>& block) {
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (block.empty() ||
        !versionLibrary().VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) ||
        info == nullptr || length < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    return ProgramVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS),
                          LOWORD(info->dwFileVersionLS)};
}

std::string versionString(std::vector<char>& block, const std::string& name) {
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    UINT length = 0;
    if (block.empty() ||
        !versionLibrary().VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                                         reinterpret_cast<void**>(&translations), &length) ||
        translations == nullptr)
        return {};
    for (UINT index = 0; index < length / sizeof(Translation); ++index) {
        char table[9];
        std::snprintf(table, sizeof table, "%04x%04x", translations[index].language, translations[index].codePage);
        const std::string query = std::string("\\StringFileInfo\\") + table + "\\" + name;
        char* text = nullptr;
        UINT textLength = 0;
        if (versionLibrary().VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text),
                                            &textLength) &&
            text != nullptr && textLength > 0)
            return std::string(text, strnlen(text, textLength));
    }
    return {};
}

}  // namespace wf::win32
