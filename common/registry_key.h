#pragma once
// One registry key opened or created through the seam, closed when it goes out of
// scope, so that no way out of a caller leaves a handle open.
#include <cstdint>
#include <string>

#include "common/registry_api.h"

namespace wf {

class RegistryKey {
public:
    explicit RegistryKey(RegistryApi& registry) : registry_(registry) {}
    ~RegistryKey() { close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // RegOpenKeyExA / RegCreateKeyExA into this holder; the Win32 result is returned.
    long open(RegKey root, const std::string& path, std::uint32_t access);
    long create(RegKey root, const std::string& path, std::uint32_t access);

    bool isOpen() const { return handle_ != 0; }
    // The key's handle; 0 when nothing is open, which every registry call refuses.
    RegKey handle() const { return handle_; }

private:
    void close();

    RegistryApi& registry_;
    RegKey handle_ = 0;
};

}  // namespace wf
