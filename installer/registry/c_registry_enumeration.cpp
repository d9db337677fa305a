#include <cstring>
#include <exception>

#include "common/registry_key.h"
#include "installer/registry/c_registry.h"

namespace wf {
namespace {

// Subkey names are read into a buffer of this many characters, terminator included:
// a name of 255 characters does not fit and ends the listing.
constexpr std::uint32_t kSectionNameBuffer = 255;

}  // namespace

bool cRegistry::EnumerateValues(OneBasedArray<std::string>& sKeyNames, std::int32_t& iKeyCount) {
    iKeyCount = 0;
    sKeyNames.clear();
    RegistryKey key(registry_);
    if (key.open(root(), sectionKey_, kKeyQueryValue) != kRegSuccess) return true;
    RegKeyInfo info;
    if (registry_.queryInfoKey(key.handle(), info) != kRegSuccess) return true;
    std::vector<char> name(info.maxValueNameLength + 1);
    for (std::uint32_t index = 0;; ++index) {
        std::uint32_t length = info.maxValueNameLength + 1;
        if (registry_.enumValue(key.handle(), index, name.data(), &length) != kRegSuccess) break;
        sKeyNames.append(std::string(name.data(), length));
        ++iKeyCount;
    }
    return true;
}

bool cRegistry::EnumerateSections(OneBasedArray<std::string>& sSect, std::int32_t& iSectCount) {
    try {
        iSectCount = 0;
        sSect.clear();
        RegistryKey key(registry_);
        if (key.open(root(), sectionKey_, kKeyEnumerateSubKeys) != kRegSuccess) return true;
        for (std::uint32_t index = 0;; ++index) {
            char name[kSectionNameBuffer] = {};
            if (registry_.enumKey(key.handle(), index, name, kSectionNameBuffer) != kRegSuccess) break;
            sSect.append(std::string(name, strnlen(name, kSectionNameBuffer)));
            ++iSectCount;
        }
        return true;
    } catch (const std::exception& failure) {
        raise(kErrRegistryEnumeration, failure.what());
    }
}

}  // namespace wf
