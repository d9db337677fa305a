#pragma once
// What a failing cRegistry operation raises: a number, the source
// "<program>.cRegistry" and a description.
#include <cstdint>
#include <string>
#include <utility>

#include "common/run_error.h"

namespace wf {

enum RegistryErrorNumber : std::int32_t {
    kErrRegistryKey = 26001,
    kErrRegistryWrite = static_cast<std::int32_t>(0x800469A9u),
    kErrRegistryEnumeration = static_cast<std::int32_t>(0x800469AAu),
    kErrAssociationItems = static_cast<std::int32_t>(0x800469ACu),
    kErrAssociationClass = static_cast<std::int32_t>(0x800469ADu),
};

class RegistryError : public RunError {
public:
    RegistryError(std::int32_t number, std::string source, const std::string& description)
        : RunError(number, description), source_(std::move(source)) {}
    const std::string& source() const { return source_; }

private:
    std::string source_;
};

}  // namespace wf
