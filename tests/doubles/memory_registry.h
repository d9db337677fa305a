#pragma once
// In-memory registry that answers as advapi32 does: the same result codes, buffer
// and size rules, case-insensitive key and value names, subkeys listed in sorted
// order, values in the order they were first set. HKEY_CLASSES_ROOT shows
// HKEY_LOCAL_MACHINE\SOFTWARE\Classes. Open handles are counted so that a test
// can prove every key was closed, and any call can be made to fail by its plan.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/registry_api.h"
#include "tests/doubles/fault_plan.h"

namespace wf::testing {

enum class RegistryOp {
    OpenKey,
    CreateKey,
    DeleteKey,
    DeleteValue,
    QueryValue,
    SetValue,
    EnumValue,
    EnumKey,
    QueryInfoKey,
    ExpandEnvironment,
};

inline const char* operationName(RegistryOp op) {
    static const char* const names[] = {
        "RegistryOp::OpenKey",      "RegistryOp::CreateKey",        "RegistryOp::DeleteKey", "RegistryOp::DeleteValue",
        "RegistryOp::QueryValue",   "RegistryOp::SetValue",         "RegistryOp::EnumValue", "RegistryOp::EnumKey",
        "RegistryOp::QueryInfoKey", "RegistryOp::ExpandEnvironment"};
    return names[static_cast<int>(op)];
}

// The errors are result codes; a failed expansion answers 0. A call its schedule
// fails is denied access.
using RegistryFaultPlan = FaultPlan<RegistryOp, long>;

class MemoryRegistry : public RegistryApi {
public:
    MemoryRegistry();

    // Environment variables for expandEnvironmentStrings; names compared without regard to case.
    void setEnvironment(const std::string& name, const std::string& value);
    RegistryFaultPlan& faults() { return faults_; }
    // Creates the key when missing and gives it a permission that lets nobody set
    // its values: every setValue on it answers access denied.
    void denyWrites(RegKey root, const std::string& path);
    std::size_t openHandles() const { return handles_.size(); }

    // RegistryApi.
    long openKey(RegKey root, const std::string& subKey, std::uint32_t access, RegKey& result) override;
    long createKey(RegKey root, const std::string& subKey, std::uint32_t access, RegKey& result) override;
    long closeKey(RegKey key) override;
    long deleteKey(RegKey root, const std::string& subKey) override;
    long deleteValue(RegKey key, const std::string& valueName) override;
    long queryValue(RegKey key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size) override;
    long setValue(RegKey key, const std::string& valueName, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override;
    long enumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameLength) override;
    long enumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t nameSize) override;
    long queryInfoKey(RegKey key, RegKeyInfo& info) override;
    std::uint32_t expandEnvironmentStrings(const std::string& source, char* destination, std::uint32_t size) override;

private:
    struct Value {
        std::string name;
        std::uint32_t type = kRegNone;
        std::vector<std::uint8_t> data;
    };
    // Orders subkey names as the registry does: by their upper-case form.
    struct NameOrder {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    struct Key {
        std::string name;
        std::weak_ptr<Key> parent;
        std::map<std::string, std::shared_ptr<Key>, NameOrder> subKeys;
        std::vector<Value> values;
        bool deleted = false;
        bool readOnly = false;
        Value* findValue(const std::string& name);
    };
    struct Handle {
        std::shared_ptr<Key> key;
        std::uint32_t access;
    };

    // The plan's answer to the call, kRegSuccess when none.
    long enter(RegistryOp op);
    std::shared_ptr<Key> rootKey(RegKey root) const;
    // The key named by `path` below `root`; `create` adds missing keys. Sets `result`.
    std::shared_ptr<Key> walk(RegKey root, const std::string& path, bool create, long& result);
    // The key behind a handle with `access`; sets `result` when it cannot be used.
    Key* use(RegKey handle, std::uint32_t access, long& result);
    RegKey issue(std::shared_ptr<Key> key, std::uint32_t access);

    std::shared_ptr<Key> machine_;
    std::shared_ptr<Key> user_;
    std::shared_ptr<Key> users_;
    std::shared_ptr<Key> classes_;
    std::map<RegKey, Handle> handles_;
    RegKey nextHandle_ = 0x100;
    RegistryFaultPlan faults_{kRegAccessDenied};
    std::map<std::string, std::string, NameOrder> environment_;
};

}  // namespace wf::testing
