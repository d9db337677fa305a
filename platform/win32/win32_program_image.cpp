#include "platform/win32/win32_program_image.h"

#include <windows.h>

#include <cstdint>

#include "platform/win32/win32_handles.h"

namespace wf::win32 {
namespace {

template <class Record>
bool readAt(HANDLE file, std::uint64_t offset, Record& record) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD got = 0;
    return ReadFile(file, &record, sizeof record, &got, &at) && got == sizeof record;
}

}  // namespace

bool isWholeProgramImage(const std::string& path) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size)) return false;
    IMAGE_DOS_HEADER dos{};
    if (!readAt(file.get(), 0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew <= 0) return false;
    DWORD signature = 0;
    IMAGE_FILE_HEADER header{};
    const std::uint64_t headerAt = static_cast<std::uint64_t>(dos.e_lfanew) + sizeof signature;
    if (!readAt(file.get(), dos.e_lfanew, signature) || signature != IMAGE_NT_SIGNATURE ||
        !readAt(file.get(), headerAt, header) || (header.Characteristics & IMAGE_FILE_EXECUTABLE_IMAGE) == 0)
        return false;
    std::uint64_t sectionAt = headerAt + sizeof header + header.SizeOfOptionalHeader;
    for (WORD index = 0; index < header.NumberOfSections; ++index, sectionAt += sizeof(IMAGE_SECTION_HEADER)) {
        IMAGE_SECTION_HEADER section{};
        if (!readAt(file.get(), sectionAt, section)) return false;
        if (std::uint64_t{section.PointerToRawData} + section.SizeOfRawData > static_cast<std::uint64_t>(size.QuadPart))
            return false;
    }
    return true;
}

}  // namespace wf::win32
