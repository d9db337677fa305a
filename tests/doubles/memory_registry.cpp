#include "tests/doubles/memory_registry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace wf::testing {
namespace {

// Win32 results the callers never branch on, answered as advapi32 does.
constexpr long kBadPathname = 161;
constexpr long kKeyDeleted = 1018;
constexpr long kNoAccess = 998;
constexpr std::size_t kMaxKeyNameLength = 255;

std::string upper(const std::string& text) {
    std::string result = text;
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return result;
}

bool isStringType(std::uint32_t type) { return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz; }

bool isPredefined(RegKey key) {
    return key == kHkeyClassesRoot || key == kHkeyCurrentUser || key == kHkeyLocalMachine || key == kHkeyUsers;
}

}  // namespace

bool MemoryRegistry::NameOrder::operator()(const std::string& a, const std::string& b) const {
    return upper(a) < upper(b);
}

MemoryRegistry::Value* MemoryRegistry::Key::findValue(const std::string& valueName) {
    std::string wanted = upper(valueName);
    for (Value& value : values)
        if (upper(value.name) == wanted) return &value;
    return nullptr;
}

MemoryRegistry::MemoryRegistry()
    : machine_(std::make_shared<Key>()), user_(std::make_shared<Key>()), users_(std::make_shared<Key>()) {
    long result = kRegSuccess;
    classes_ = walk(kHkeyLocalMachine, "SOFTWARE\\Classes", true, result);
}

void MemoryRegistry::setEnvironment(const std::string& name, const std::string& value) { environment_[name] = value; }

void MemoryRegistry::denyWrites(RegKey root, const std::string& path) {
    long result = kRegSuccess;
    if (auto key = walk(root, path, true, result)) key->readOnly = true;
}

long MemoryRegistry::enter(RegistryOp op) {
    const long* failure = faults_.check(op);
    return failure ? *failure : kRegSuccess;
}

std::shared_ptr<MemoryRegistry::Key> MemoryRegistry::rootKey(RegKey root) const {
    if (root == kHkeyClassesRoot) return classes_;
    if (root == kHkeyCurrentUser) return user_;
    if (root == kHkeyLocalMachine) return machine_;
    if (root == kHkeyUsers) return users_;
    auto handle = handles_.find(root);
    return handle == handles_.end() ? nullptr : handle->second.key;
}

std::shared_ptr<MemoryRegistry::Key> MemoryRegistry::walk(RegKey root, const std::string& path, bool create,
                                                          long& result) {
    std::shared_ptr<Key> key = rootKey(root);
    if (!key) {
        result = kRegInvalidHandle;
        return nullptr;
    }
    if (key->deleted) {
        result = kKeyDeleted;
        return nullptr;
    }
    if (!path.empty() && path.front() == '\\') {
        result = kBadPathname;
        return nullptr;
    }
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t end = std::min(path.find('\\', start), path.size());
        std::string part = path.substr(start, end - start);
        start = end + 1;
        if (part.empty()) continue;
        auto child = key->subKeys.find(part);
        if (child == key->subKeys.end()) {
            if (!create) {
                result = kRegFileNotFound;
                return nullptr;
            }
            if (part.size() > kMaxKeyNameLength) {
                result = kRegInvalidParameter;
                return nullptr;
            }
            auto added = std::make_shared<Key>();
            added->name = part;
            added->parent = key;
            child = key->subKeys.emplace(part, added).first;
        }
        key = child->second;
    }
    result = kRegSuccess;
    return key;
}

MemoryRegistry::Key* MemoryRegistry::use(RegKey handle, std::uint32_t access, long& result) {
    if (isPredefined(handle)) return rootKey(handle).get();
    auto found = handles_.find(handle);
    if (found == handles_.end()) {
        result = kRegInvalidHandle;
        return nullptr;
    }
    if (found->second.key->deleted) {
        result = kKeyDeleted;
        return nullptr;
    }
    if ((found->second.access & access) != access) {
        result = kRegAccessDenied;
        return nullptr;
    }
    return found->second.key.get();
}

RegKey MemoryRegistry::issue(std::shared_ptr<Key> key, std::uint32_t access) {
    RegKey handle = nextHandle_;
    nextHandle_ += 4;
    handles_[handle] = Handle{std::move(key), access};
    return handle;
}

long MemoryRegistry::openKey(RegKey root, const std::string& subKey, std::uint32_t access, RegKey& result) {
    result = 0;
    if (long failed = enter(RegistryOp::OpenKey)) return failed;
    long status = kRegSuccess;
    auto key = walk(root, subKey, false, status);
    if (key) result = issue(std::move(key), access);
    return status;
}

long MemoryRegistry::createKey(RegKey root, const std::string& subKey, std::uint32_t access, RegKey& result) {
    result = 0;
    if (long failed = enter(RegistryOp::CreateKey)) return failed;
    long status = kRegSuccess;
    auto key = walk(root, subKey, true, status);
    if (key) result = issue(std::move(key), access);
    return status;
}

long MemoryRegistry::closeKey(RegKey key) {
    if (isPredefined(key)) return kRegSuccess;
    return handles_.erase(key) == 1 ? kRegSuccess : kRegInvalidHandle;
}

long MemoryRegistry::deleteKey(RegKey root, const std::string& subKey) {
    if (long failed = enter(RegistryOp::DeleteKey)) return failed;
    long status = kRegSuccess;
    auto key = walk(root, subKey, false, status);
    if (!key) return status;
    auto parent = key->parent.lock();
    if (!parent || !key->subKeys.empty()) return kRegAccessDenied;
    key->deleted = true;
    parent->subKeys.erase(key->name);
    return kRegSuccess;
}

long MemoryRegistry::deleteValue(RegKey key, const std::string& valueName) {
    if (long failed = enter(RegistryOp::DeleteValue)) return failed;
    long status = kRegSuccess;
    Key* target = use(key, kKeySetValue, status);
    if (!target) return status;
    Value* value = target->findValue(valueName);
    if (!value) return kRegFileNotFound;
    target->values.erase(target->values.begin() + (value - target->values.data()));
    return kRegSuccess;
}

long MemoryRegistry::queryValue(RegKey key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                                std::uint32_t* size) {
    if (long failed = enter(RegistryOp::QueryValue)) return failed;
    if (data && !size) return kRegInvalidParameter;
    long status = kRegSuccess;
    Key* target = use(key, kKeyQueryValue, status);
    if (!target) return status;
    const Value* value = target->findValue(valueName);
    if (!value) return kRegFileNotFound;
    if (type) *type = value->type;
    auto length = static_cast<std::uint32_t>(value->data.size());
    if (data) {
        if (*size < length) {
            *size = length;
            return kRegMoreData;
        }
        std::copy(value->data.begin(), value->data.end(), data);
        // A stored text without its terminator gets one when there is room, uncounted.
        if (isStringType(value->type) && length < *size && (length == 0 || value->data.back() != 0)) data[length] = 0;
    }
    if (size) *size = length;
    return kRegSuccess;
}

long MemoryRegistry::setValue(RegKey key, const std::string& valueName, std::uint32_t type,
                              const std::uint8_t* data, std::uint32_t size) {
    if (long failed = enter(RegistryOp::SetValue)) return failed;
    long status = kRegSuccess;
    Key* target = use(key, kKeySetValue, status);
    if (!target) return status;
    if (target->readOnly) return kRegAccessDenied;
    if (!data && size > 0) return kNoAccess;
    std::vector<std::uint8_t> bytes(data, data + size);
    if (Value* value = target->findValue(valueName)) {
        value->type = type;
        value->data = std::move(bytes);
    } else {
        target->values.push_back(Value{valueName, type, std::move(bytes)});
    }
    return kRegSuccess;
}

long MemoryRegistry::enumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameLength) {
    if (long failed = enter(RegistryOp::EnumValue)) return failed;
    if (!name || !nameLength) return kRegInvalidParameter;
    long status = kRegSuccess;
    Key* target = use(key, kKeyQueryValue, status);
    if (!target) return status;
    if (index >= target->values.size()) return kRegNoMoreItems;
    const std::string& found = target->values[index].name;
    if (found.size() >= *nameLength) return kRegMoreData;
    std::memcpy(name, found.c_str(), found.size() + 1);
    *nameLength = static_cast<std::uint32_t>(found.size());
    return kRegSuccess;
}

long MemoryRegistry::enumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t nameSize) {
    if (long failed = enter(RegistryOp::EnumKey)) return failed;
    if (!name) return kRegInvalidParameter;
    long status = kRegSuccess;
    Key* target = use(key, kKeyEnumerateSubKeys, status);
    if (!target) return status;
    if (index >= target->subKeys.size()) return kRegNoMoreItems;
    const std::string& found = std::next(target->subKeys.begin(), index)->second->name;
    if (found.size() >= nameSize) return kRegMoreData;
    std::memcpy(name, found.c_str(), found.size() + 1);
    return kRegSuccess;
}

long MemoryRegistry::queryInfoKey(RegKey key, RegKeyInfo& info) {
    if (long failed = enter(RegistryOp::QueryInfoKey)) return failed;
    long status = kRegSuccess;
    Key* target = use(key, kKeyQueryValue, status);
    if (!target) return status;
    info = RegKeyInfo{};
    info.subKeys = static_cast<std::uint32_t>(target->subKeys.size());
    info.values = static_cast<std::uint32_t>(target->values.size());
    for (const auto& [name, subKey] : target->subKeys)
        info.maxSubKeyLength = std::max(info.maxSubKeyLength, static_cast<std::uint32_t>(name.size()));
    for (const Value& value : target->values) {
        info.maxValueNameLength = std::max(info.maxValueNameLength, static_cast<std::uint32_t>(value.name.size()));
        // Text is kept in UTF-16 by the platform, and that is the size it reports here.
        std::size_t stored = isStringType(value.type) ? 2 * value.data.size() : value.data.size();
        info.maxValueDataLength = std::max(info.maxValueDataLength, static_cast<std::uint32_t>(stored));
    }
    return kRegSuccess;
}

std::uint32_t MemoryRegistry::expandEnvironmentStrings(const std::string& source, char* destination,
                                                       std::uint32_t size) {
    if (enter(RegistryOp::ExpandEnvironment) != kRegSuccess) return 0;
    // "%NAME%" becomes the variable's value; an unknown name stays as written.
    std::string expanded;
    std::size_t at = 0;
    while (at < source.size()) {
        std::size_t open = source.find('%', at);
        std::size_t close = open == std::string::npos ? open : source.find('%', open + 1);
        if (close == std::string::npos) {
            expanded += source.substr(at);
            break;
        }
        expanded += source.substr(at, open - at);
        auto variable = environment_.find(source.substr(open + 1, close - open - 1));
        if (variable != environment_.end()) {
            expanded += variable->second;
            at = close + 1;
        } else {
            expanded += source.substr(open, close - open);
            at = close;
        }
    }
    auto needed = static_cast<std::uint32_t>(expanded.size() + 1);
    if (destination && size >= needed) std::memcpy(destination, expanded.c_str(), needed);
    return needed;
}

}  // namespace wf::testing
