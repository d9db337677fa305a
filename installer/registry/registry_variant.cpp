#include "installer/registry/registry_variant.h"

namespace wf {

std::string registryVariantText(const RegistryVariant& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    if (const auto* number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
    if (const auto* bytes = std::get_if<RegistryBytes>(&value)) return std::string(bytes->begin(), bytes->end());
    return {};
}

}  // namespace wf
