#include "installer/hosts/host_system.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

namespace wf {
namespace {

// The three display names, each with the host it names.
const std::pair<std::string, HostSystem> kDisplayNames[] = {
    {"CounterPoint SQL", HostSystem::CounterPointSql},
    {"Great Plains", HostSystem::GreatPlains},
    {"Passport", HostSystem::Passport},
};

TEST(HostSystem, OnlyTheExactDisplayNamesNameAHost) {
    for (const auto& [name, host] : kDisplayNames) {
        EXPECT_EQ(findHostSystem(name), host) << name;
        EXPECT_EQ(hostSystemDisplayName(host), name);
    }
    EXPECT_FALSE(findHostSystem("counterpoint sql"));
    EXPECT_FALSE(findHostSystem(""));
}

TEST(HostSystem, TheBuildServesTheConfiguredHost) {
    std::optional<HostSystem> configured;
    for (const auto& [name, host] : kDisplayNames)
        if (name == WRENFOLD_TEST_HOST_SYSTEM) configured = host;
    ASSERT_TRUE(configured) << "the build setting names no host system: " << WRENFOLD_TEST_HOST_SYSTEM;
    EXPECT_EQ(buildHostSystem(), *configured);
}

}  // namespace
}  // namespace wf
