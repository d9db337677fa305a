#include "installer/host_system.h"

#include <gtest/gtest.h>

namespace wf {
namespace {

TEST(HostSystem, DisplayNamesAndBackAgain) {
    for (HostSystem host : {HostSystem::CounterPointSql, HostSystem::GreatPlains, HostSystem::Passport})
        EXPECT_EQ(hostSystemFromName(hostSystemName(host)), host);
    EXPECT_EQ(hostSystemName(HostSystem::CounterPointSql), "CounterPoint SQL");
    EXPECT_FALSE(hostSystemFromName("counterpoint sql"));
    EXPECT_FALSE(hostSystemFromName(""));
}

TEST(HostSystem, TheBuildServesTheConfiguredHost) {
    EXPECT_EQ(hostSystemName(buildHostSystem()), WRENFOLD_TEST_HOST_SYSTEM);
}

}  // namespace
}  // namespace wf
