#include "common/registry_key.h"

namespace wf {

long RegistryKey::open(RegKey root, const std::string& path, std::uint32_t access) {
    close();
    RegKey opened = 0;
    long result = registry_.openKey(root, path, access, opened);
    if (result == kRegSuccess) handle_ = opened;
    return result;
}

long RegistryKey::create(RegKey root, const std::string& path, std::uint32_t access) {
    close();
    RegKey created = 0;
    long result = registry_.createKey(root, path, access, created);
    if (result == kRegSuccess) handle_ = created;
    return result;
}

void RegistryKey::close() {
    if (handle_ != 0) registry_.closeKey(handle_);
    handle_ = 0;
}

}  // namespace wf
