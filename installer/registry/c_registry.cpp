#include "installer/registry/c_registry.h"

#include <algorithm>
#include <cstring>

#include "common/registry_key.h"

namespace wf {
namespace {

// Error 26001 for a byte write given something else has no text of its own; it
// carries the runtime's standard one.
const char kNoDescription[] = "Application-defined or object-defined error";

// The text names an environment variable when a second "%" stands at least two
// places after the first one.
bool holdsEnvironmentReference(const std::string& text) {
    std::size_t first = text.find('%');
    return first != std::string::npos && text.find('%', first + 2) != std::string::npos;
}

}  // namespace

cRegistry::cRegistry(RegistryApi& registry, const std::string& programName)
    : registry_(registry), source_(programName + ".cRegistry") {}

bool cRegistry::KeyExists() {
    RegistryKey key(registry_);
    return key.open(root(), sectionKey_, kKeyQueryValue) == kRegSuccess;
}

bool cRegistry::CreateKey() {
    RegistryKey key(registry_);
    if (key.create(root(), sectionKey_, kKeyAllAccessClassic) != kRegSuccess)
        raise(kErrRegistryKey, "Failed to create registry Key: '" + sectionKey_);
    return true;
}

bool cRegistry::DeleteKey() {
    if (registry_.deleteKey(root(), sectionKey_) != kRegSuccess)
        raise(kErrRegistryKey, "Failed to delete registry " + locationText());
    return true;
}

bool cRegistry::DeleteValue() {
    RegistryKey key(registry_);
    if (key.open(root(), sectionKey_, kKeyAllAccessClassic) != kRegSuccess)
        raise(kErrRegistryKey, "Failed to open key '" + std::to_string(classKey_) + "',Section: '" + sectionKey_ +
                                   "' for delete access");
    if (registry_.deleteValue(key.handle(), valueKey_) != kRegSuccess)
        raise(kErrRegistryKey, "Failed to delete registry " + locationText() + "',Key: '" + valueKey_);
    return true;
}

RegistryVariant cRegistry::Value() {
    RegistryKey key(registry_);
    if (key.open(root(), sectionKey_, kKeyQueryValue) != kRegSuccess) return default_;
    // A query with no room learns the type and the size of the data.
    std::uint8_t probe[4] = {};
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    long result = registry_.queryValue(key.handle(), valueKey_, &type, probe, &size);
    if (result != kRegSuccess && result != kRegMoreData) return default_;
    valueType_ = static_cast<std::int32_t>(type);
    return readData(key.handle(), type, size);
}

RegistryVariant cRegistry::readData(RegKey key, std::uint32_t type, std::uint32_t size) {
    switch (type) {
        case kRegSz:
        case kRegExpandSz:
        case kRegMultiSz: {
            // The text without its terminating zero byte; a multi-string keeps its inner zeros.
            if (size == 0) return std::string();
            std::vector<std::uint8_t> buffer(size);
            fetch(key, buffer.data(), size);
            std::string text(buffer.begin(), buffer.end() - 1);
            if (type == kRegExpandSz) return ExpandEnvironmentText(text);
            return text;
        }
        case kRegDword:
        case kRegDwordBigEndian: {
            // Data longer than a number is read whole and only its first four bytes kept.
            std::vector<std::uint8_t> buffer(std::max<std::uint32_t>(size, sizeof(std::int32_t)));
            fetch(key, buffer.data(), size);
            std::int32_t number = 0;
            std::memcpy(&number, buffer.data(), sizeof number);
            return type == kRegDwordBigEndian ? ReverseByteOrder(number) : number;
        }
        default: {
            // The data followed by one zero byte.
            RegistryBytes bytes(size + 1);
            fetch(key, bytes.data(), size);
            return bytes;
        }
    }
}

void cRegistry::fetch(RegKey key, std::uint8_t* buffer, std::uint32_t size) {
    // The buffer was sized by the first query and starts zero-filled, so the result
    // of this read needs no look: a value changed in between reads as zeros at worst.
    std::uint32_t type = 0;
    registry_.queryValue(key, valueKey_, &type, buffer, &size);
}

void cRegistry::Value(const RegistryVariant& vValue) {
    const std::string text = registryVariantText(vValue);
    const std::string description =
        "Failed to set registry value " + locationText() + "',Key: '" + valueKey_ + "' to value: '" + text + "'";
    RegistryKey key(registry_);
    if (key.create(root(), sectionKey_, kKeyAllAccessClassic) != kRegSuccess) raise(kErrRegistryKey, description);
    if (writeData(key.handle(), vValue, text) != kRegSuccess) raise(kErrRegistryWrite, description);
}

long cRegistry::writeData(RegKey key, const RegistryVariant& value, const std::string& text) {
    switch (valueType_) {
        case kRegSz:
        case kRegExpandSz: {
            // The content alone decides between the two text types.
            std::uint32_t type = holdsEnvironmentReference(text) ? kRegExpandSz : kRegSz;
            return registry_.setValue(key, valueKey_, type, reinterpret_cast<const std::uint8_t*>(text.c_str()),
                                      static_cast<std::uint32_t>(text.size() + 1));
        }
        case kRegBinary: {
            const auto* bytes = std::get_if<RegistryBytes>(&value);
            if (!bytes) raise(kErrRegistryKey, kNoDescription);
            // A byte array read by Value carries one zero byte past the data. The write
            // leaves the last element out, so that writing back what was read keeps the
            // stored data unchanged.
            auto size = static_cast<std::uint32_t>(bytes->empty() ? 0 : bytes->size() - 1);
            return registry_.setValue(key, valueKey_, kRegBinary, bytes->data(), size);
        }
        case kRegDword:
        case kRegDwordBigEndian: {
            // Only a number is written, always in the machine's byte order; anything
            // else is silently passed over.
            const auto* number = std::get_if<std::int32_t>(&value);
            if (!number) return kRegSuccess;
            return registry_.setValue(key, valueKey_, kRegDword, reinterpret_cast<const std::uint8_t*>(number),
                                      sizeof *number);
        }
        default:
            return kRegInvalidData;
    }
}

std::int32_t cRegistry::ReverseByteOrder(std::int32_t value) {
    auto bits = static_cast<std::uint32_t>(value);
    bits = (bits >> 24) | ((bits >> 8) & 0xFF00u) | ((bits << 8) & 0xFF0000u) | (bits << 24);
    return static_cast<std::int32_t>(bits);
}

std::string cRegistry::ExpandEnvironmentText(const std::string& text) {
    std::uint32_t needed = registry_.expandEnvironmentStrings(text, nullptr, 0);
    // Should the platform refuse, the text stays as it was written.
    if (needed == 0) return text;
    std::vector<char> buffer(needed);
    registry_.expandEnvironmentStrings(text, buffer.data(), needed);
    // The size asked for may exceed the expansion by a character; stop at the terminator.
    return std::string(buffer.data(), strnlen(buffer.data(), needed - 1));
}

void cRegistry::raise(std::int32_t number, const std::string& description) const {
    throw RegistryError(number, source_, description);
}

std::string cRegistry::locationText() const {
    return "Key: '" + std::to_string(classKey_) + "',Section: '" + sectionKey_;
}

}  // namespace wf
