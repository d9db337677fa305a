#include "common/text.h"
#include "installer/registry/c_registry.h"

namespace wf {
namespace {

const std::string kMachineClasses = "SOFTWARE\\Classes\\";

// The program's path trimmed and enclosed in double quotes, keeping quotes already there.
std::string quotedPath(const std::string& exePath) {
    std::string path = trimBlanks(exePath);
    if (path.empty() || path.front() != '"') path.insert(path.begin(), '"');
    if (path.back() != '"') path += '"';
    return path;
}

std::string orDefault(const std::string& text, const std::string& fallback) { return text.empty() ? fallback : text; }

}  // namespace

void cRegistry::CreateEXEAssociation(const std::string& sExePath, const std::string& sClassName,
                                     const std::string& sClassDescription, const std::string& sAssociation,
                                     const std::string& sOpenMenuText, bool bSupportPrint,
                                     const std::string& sPrintMenuText, bool bSupportNew,
                                     const std::string& sNewMenuText, bool bSupportInstall,
                                     const std::string& sInstallMenuText, std::int32_t lDefaultIconIndex) {
    const std::string path = quotedPath(sExePath);
    valueType_ = kRegSz;
    writeClassDefault("." + sAssociation, sClassName);
    writeClassDefault(sClassName, sClassDescription);
    writeVerb(sClassName, "open", orDefault(sOpenMenuText, "&Open"), path + " \"%1\"");
    if (bSupportPrint) writeVerb(sClassName, "print", orDefault(sPrintMenuText, "&Print"), path + " /p \"%1\"");
    if (bSupportInstall)
        writeVerb(sClassName, "add", orDefault(sInstallMenuText, "&Install " + sAssociation), path + " /a \"%1\"");
    if (bSupportNew) writeVerb(sClassName, "new", orDefault(sNewMenuText, "&New"), path + " /n \"%1\"");
    if (lDefaultIconIndex >= 0)
        writeClassDefault(sClassName + "\\DefaultIcon", path + "," + std::to_string(lDefaultIconIndex));
}

void cRegistry::CreateAdditionalEXEAssociations(const std::string& sClassName,
                                                const std::vector<RegistryVariant>& vItems) {
    if (vItems.size() % 3 != 0)
        raise(kErrAssociationItems,
              "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");
    // The class is looked for where it is registered, under HKEY_CLASSES_ROOT, whatever
    // root the object was left on (CreateEXEAssociation leaves HKEY_LOCAL_MACHINE).
    classKey_ = static_cast<std::int32_t>(kHkeyClassesRoot);
    sectionKey_ = sClassName;
    if (!KeyExists())
        raise(kErrAssociationClass, "Error - attempt to create additional associations before class defined.");
    for (std::size_t item = 0; item < vItems.size(); item += 3) {
        const std::string verbKey = sClassName + "\\shell\\" + registryVariantText(vItems[item]);
        valueType_ = kRegSz;
        // A verb that cannot be written is passed over; the others are still added.
        ignoreFailure([&] { writeClassDefault(verbKey, registryVariantText(vItems[item + 1])); });
        ignoreFailure([&] { writeClassDefault(verbKey + "\\command", registryVariantText(vItems[item + 2])); });
    }
}

void cRegistry::writeVerb(const std::string& className, const std::string& verb, const std::string& menuText,
                          const std::string& command) {
    writeClassDefault(className + "\\shell\\" + verb, menuText);
    writeClassDefault(className + "\\shell\\" + verb + "\\command", command);
}

void cRegistry::writeClassDefault(const std::string& section, const std::string& text) {
    sectionKey_ = section;
    valueKey_.clear();
    WriteClassValue(text);
}

void cRegistry::WriteClassValue(const std::string& text) {
    classKey_ = static_cast<std::int32_t>(kHkeyClassesRoot);
    Value(text);
    const std::string section = sectionKey_;
    classKey_ = static_cast<std::int32_t>(kHkeyLocalMachine);
    sectionKey_ = kMachineClasses + section;
    Value(text);
    sectionKey_ = section;
}

}  // namespace wf
