#pragma once
// A scratch key below HKEY_CURRENT_USER, made fresh for each test and removed after
// it, on whichever registry the test program runs. Where the registry counts its
// handles, every test must end with none left open.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "installer/registry/c_registry.h"
#include "tests/unit/registry/registry_probe.h"
#include "tests/unit/registry/registry_target.h"

namespace wf::testing {

inline constexpr std::int32_t kCurrentUser = static_cast<std::int32_t>(kHkeyCurrentUser);

// The error `call` raises; a test failure when it raises none.
template <class Call>
RegistryError raisedBy(Call&& call) {
    try {
        call();
    } catch (const RegistryError& error) {
        return error;
    }
    ADD_FAILURE() << "no error raised";
    return RegistryError(0, "", "");
}

class RegistryFixture : public ::testing::Test {
protected:
    void SetUp() override { probe_.removeTree(kHkeyCurrentUser, scratch_); }
    void TearDown() override {
        probe_.removeTree(kHkeyCurrentUser, scratch_);
        if (auto open = target_->openHandles()) {
            EXPECT_EQ(*open, 0u) << "keys left open";
        }
    }
    RegistryApi& registry() { return target_->registry(); }
    // A registry object of dbprep placed on the scratch key.
    cRegistry scratchObject() {
        cRegistry object(registry(), "dbprep");
        object.ClassKey(kCurrentUser);
        object.SectionKey(scratch_);
        return object;
    }

    std::unique_ptr<RegistryTarget> target_ = makeRegistryTarget();
    RegistryProbe probe_{target_->registry()};
    const std::string scratch_ = "Software\\" + target_->uniqueName("WrenfoldRegistryTest");
};

}  // namespace wf::testing
