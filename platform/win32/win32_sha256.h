#pragma once
// SHA-256 through the system's cryptography. bcrypt.dll is not one of the known
// DLLs Windows always takes from the system folder, so it is loaded from there at
// run time rather than imported.
#include <windows.h>

#include <bcrypt.h>

#include <string>
#include <string_view>

#include "platform/win32/system_library.h"

namespace wf::win32 {

// One digest, fed a piece at a time.
class Sha256 {
public:
    // Raises a RunError when the system offers no SHA-256.
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void add(std::string_view bytes);
    // The digest as 64 lower-case hexadecimal digits; nothing is added after it.
    std::string finish();

private:
    SystemLibrary bcrypt_;
    decltype(&BCryptHashData) hashData_;
    decltype(&BCryptFinishHash) finishHash_;
    decltype(&BCryptDestroyHash) destroyHash_;
    decltype(&BCryptCloseAlgorithmProvider) closeAlgorithm_;
    BCRYPT_ALG_HANDLE algorithm_ = nullptr;
    BCRYPT_HASH_HANDLE hash_ = nullptr;
};

}  // namespace wf::win32
