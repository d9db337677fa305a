#pragma once
// cRegistry: a caller sets the location (root key, key path, value name), the type
// and a fallback through the properties, then calls an operation on exactly that
// location. Each operation opens the key it needs and closes it before it returns;
// nothing stays open between calls.
#include <cstdint>
#include <string>
#include <vector>

#include "common/registry_api.h"
#include "installer/registry/one_based_array.h"
#include "installer/registry/registry_error.h"
#include "installer/registry/registry_variant.h"

namespace wf {

class cRegistry {
public:
    // `programName` is the running program's file name without extension; errors
    // carry "<programName>.cRegistry" as their source.
    cRegistry(RegistryApi& registry, const std::string& programName);

    bool KeyExists();
    bool CreateKey();
    bool DeleteKey();
    bool DeleteValue();
    RegistryVariant Value();
    void Value(const RegistryVariant& vValue);
    bool EnumerateValues(OneBasedArray<std::string>& sKeyNames, std::int32_t& iKeyCount);
    bool EnumerateSections(OneBasedArray<std::string>& sSect, std::int32_t& iSectCount);
    void CreateEXEAssociation(const std::string& sExePath, const std::string& sClassName,
                              const std::string& sClassDescription, const std::string& sAssociation,
                              const std::string& sOpenMenuText, bool bSupportPrint, const std::string& sPrintMenuText,
                              bool bSupportNew, const std::string& sNewMenuText, bool bSupportInstall,
                              const std::string& sInstallMenuText, std::int32_t lDefaultIconIndex);
    // `vItems` holds triples of verb name, menu text and command.
    void CreateAdditionalEXEAssociations(const std::string& sClassName, const std::vector<RegistryVariant>& vItems);

    std::int32_t ValueType() const { return valueType_; }
    void ValueType(std::int32_t eValueType) { valueType_ = eValueType; }
    std::int32_t ClassKey() const { return classKey_; }
    void ClassKey(std::int32_t eKey) { classKey_ = eKey; }
    const std::string& SectionKey() const { return sectionKey_; }
    void SectionKey(const std::string& sSectionKey) { sectionKey_ = sSectionKey; }
    const std::string& ValueKey() const { return valueKey_; }
    void ValueKey(const std::string& sValueKey) { valueKey_ = sValueKey; }
    const RegistryVariant& Default() const { return default_; }
    void Default(const RegistryVariant& vDefault) { default_ = vDefault; }

private:
    // Writes the text under HKEY_CLASSES_ROOT, then under HKEY_LOCAL_MACHINE\SOFTWARE\Classes.
    void WriteClassValue(const std::string& text);
    static std::int32_t ReverseByteOrder(std::int32_t value);
    std::string ExpandEnvironmentText(const std::string& text);

    RegKey root() const { return static_cast<RegKey>(classKey_); }
    RegistryVariant readData(RegKey key, std::uint32_t type, std::uint32_t size);
    void fetch(RegKey key, std::uint8_t* buffer, std::uint32_t size);
    long writeData(RegKey key, const RegistryVariant& value, const std::string& text);
    // Sets the location to the default value of `section` and writes it through WriteClassValue.
    void writeClassDefault(const std::string& section, const std::string& text);
    void writeVerb(const std::string& className, const std::string& verb, const std::string& menuText,
                   const std::string& command);
    [[noreturn]] void raise(std::int32_t number, const std::string& description) const;
    // "Key: '<ClassKey>',Section: '<SectionKey>", the start of most descriptions.
    std::string locationText() const;

    RegistryApi& registry_;
    std::string source_;
    std::int32_t classKey_ = 0;
    std::string sectionKey_;
    std::string valueKey_;
    RegistryVariant default_;
    std::int32_t valueType_ = 0;
};

}  // namespace wf
