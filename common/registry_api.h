#pragma once
// The registry, shaped like the advapi32 calls (ANSI forms) with their Win32
// result codes, so that the logic above it behaves the same on the real registry
// and on the in-memory one of the tests. Every key is one of the registry's 32-bit
// view, the view in which the host systems (32-bit programs) keep their keys and
// ODBC data sources, whatever the bitness of the program.
#include <cstdint>
#include <string>

namespace wf {

// A key handle. The predefined roots are the 32-bit numbers sign-extended, as
// Windows defines them; other handles come from openKey and createKey.
using RegKey = std::intptr_t;

inline constexpr RegKey kHkeyClassesRoot = static_cast<std::int32_t>(0x80000000u);
inline constexpr RegKey kHkeyCurrentUser = static_cast<std::int32_t>(0x80000001u);
inline constexpr RegKey kHkeyLocalMachine = static_cast<std::int32_t>(0x80000002u);
inline constexpr RegKey kHkeyUsers = static_cast<std::int32_t>(0x80000003u);

// Win32 result codes that callers look at.
enum RegResult : long {
    kRegSuccess = 0,
    kRegFileNotFound = 2,
    kRegAccessDenied = 5,
    kRegInvalidHandle = 6,
    kRegInvalidData = 13,
    kRegInvalidParameter = 87,
    kRegMoreData = 234,
    kRegNoMoreItems = 259,
};

// Access rights.
enum RegAccess : std::uint32_t {
    kKeyQueryValue = 0x0001,
    kKeySetValue = 0x0002,
    kKeyCreateSubKey = 0x0004,
    kKeyEnumerateSubKeys = 0x0008,
    kKeyNotify = 0x0010,
    kKeyCreateLink = 0x0020,
    kKeyAllAccessClassic = 0x003F,
    kKeyRead = 0x20019,
    kKeyWrite = 0x20006,
};

// Value types.
enum RegType : std::uint32_t {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegDwordBigEndian = 5,
    kRegMultiSz = 7,
};

struct RegKeyInfo {
    std::uint32_t subKeys = 0;
    std::uint32_t maxSubKeyLength = 0;    // characters, without terminator
    std::uint32_t values = 0;
    std::uint32_t maxValueNameLength = 0; // characters, without terminator
    std::uint32_t maxValueDataLength = 0; // bytes
};

class RegistryApi {
public:
    virtual ~RegistryApi() = default;

    // RegOpenKeyExA.
    virtual long openKey(RegKey root, const std::string& subKey, std::uint32_t access, RegKey& result) = 0;

    // RegCreateKeyExA with no class text, non-volatile, default security; creates
    // missing intermediate keys.
    virtual long createKey(RegKey root, const std::string& subKey, std::uint32_t access, RegKey& result) = 0;

    // RegCloseKey.
    virtual long closeKey(RegKey key) = 0;

    // RegDeleteKeyExA: the key must have no subkeys.
    virtual long deleteKey(RegKey root, const std::string& subKey) = 0;

    // RegDeleteValueA.
    virtual long deleteValue(RegKey key, const std::string& valueName) = 0;

    // RegQueryValueExA: `type`, `data` may be null; `size` is in/out in bytes.
    virtual long queryValue(RegKey key, const std::string& valueName, std::uint32_t* type,
                            std::uint8_t* data, std::uint32_t* size) = 0;

    // RegSetValueExA.
    virtual long setValue(RegKey key, const std::string& valueName, std::uint32_t type,
                          const std::uint8_t* data, std::uint32_t size) = 0;

    // RegEnumValueA for the name only: `nameLength` is in/out in characters
    // (buffer size with terminator in, name length without it out).
    virtual long enumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameLength) = 0;

    // RegEnumKeyA: `nameSize` is the buffer size in characters, terminator included.
    virtual long enumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t nameSize) = 0;

    // RegQueryInfoKeyA, the counts and longest lengths.
    virtual long queryInfoKey(RegKey key, RegKeyInfo& info) = 0;

    // ExpandEnvironmentStringsA: returns the size needed (terminator included), or 0 on failure.
    virtual std::uint32_t expandEnvironmentStrings(const std::string& source, char* destination,
                                                   std::uint32_t size) = 0;
};

}  // namespace wf
