#include "platform/win32/win32_sha256.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "common/run_error.h"

namespace wf::win32 {
namespace {

constexpr ULONG kDigestSize = 32;

[[noreturn]] void raiseStatus(const char* call, NTSTATUS status) {
    char code[16];
    std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(status));
    throw RunError(kErrInvalidProcedureCall, std::string(call) + " failed with status 0x" + code);
}

void check(const char* call, NTSTATUS status) {
    if (!BCRYPT_SUCCESS(status)) raiseStatus(call, status);
}

}  // namespace

Sha256::Sha256()
    : bcrypt_(L"bcrypt.dll"),
      hashData_(bcrypt_.entry<decltype(&BCryptHashData)>("BCryptHashData")),
      finishHash_(bcrypt_.entry<decltype(&BCryptFinishHash)>("BCryptFinishHash")),
      destroyHash_(bcrypt_.entry<decltype(&BCryptDestroyHash)>("BCryptDestroyHash")),
      closeAlgorithm_(bcrypt_.entry<decltype(&BCryptCloseAlgorithmProvider)>("BCryptCloseAlgorithmProvider")) {
    const auto openAlgorithm = bcrypt_.entry<decltype(&BCryptOpenAlgorithmProvider)>("BCryptOpenAlgorithmProvider");
    const auto createHash = bcrypt_.entry<decltype(&BCryptCreateHash)>("BCryptCreateHash");
    check("BCryptOpenAlgorithmProvider", openAlgorithm(&algorithm_, BCRYPT_SHA256_ALGORITHM, nullptr, 0));
    // The system keeps the hash object itself (Windows 7 and later).
    const NTSTATUS created = createHash(algorithm_, &hash_, nullptr, 0, nullptr, 0, 0);
    if (BCRYPT_SUCCESS(created)) return;
    closeAlgorithm_(algorithm_, 0);
    raiseStatus("BCryptCreateHash", created);
}

Sha256::~Sha256() {
    destroyHash_(hash_);
    closeAlgorithm_(algorithm_, 0);
}

void Sha256::add(std::string_view bytes) {
    while (!bytes.empty()) {
        const ULONG size = static_cast<ULONG>(std::min<std::size_t>(bytes.size(), ULONG_MAX));
        check("BCryptHashData", hashData_(hash_, reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data())), size, 0));
        bytes.remove_prefix(size);
    }
}

std::string Sha256::finish() {
    UCHAR digest[kDigestSize];
    check("BCryptFinishHash", finishHash_(hash_, digest, kDigestSize, 0));
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (UCHAR byte : digest) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

}  // namespace wf::win32
