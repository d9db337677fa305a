#include "installer/host_system.h"

#include <gtest/gtest.h>

namespace wf {
namespace {

TEST(HostSystem, OnlyTheExactDisplayNamesNameAHost) {
    EXPECT_EQ(hostSystemFromName("Great Plains"), HostSystem::GreatPlains);
    EXPECT_FALSE(hostSystemFromName("counterpoint sql"));
    EXPECT_FALSE(hostSystemFromName(""));
}

TEST(HostSystem, TheBuildServesTheConfiguredHost) {
    EXPECT_EQ(hostSystemName(buildHostSystem()), WRENFOLD_TEST_HOST_SYSTEM);
}

}  // namespace
}  // namespace wf
