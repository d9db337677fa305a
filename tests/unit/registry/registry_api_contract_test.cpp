// How the registry answers at the seam where cRegistry's own tests do not look:
// access rights and deleted keys. Runs on the in-memory registry and on the real
// one, so that the two are known to agree.
#include "tests/unit/registry/registry_fixture.h"

namespace wf::testing {
namespace {

using RegistryContractTest = RegistryFixture;

TEST_F(RegistryContractTest, AccessIsCheckedAgainstWhatTheKeyWasOpenedFor) {
    probe_.putText(kHkeyCurrentUser, scratch_, "Text", "a");
    RegKey key = 0;
    ASSERT_EQ(registry().openKey(kHkeyCurrentUser, scratch_, kKeyEnumerateSubKeys, key), kRegSuccess);
    std::uint32_t size = 0;
    EXPECT_EQ(registry().queryValue(key, "Text", nullptr, nullptr, &size), kRegAccessDenied);
    registry().closeKey(key);
    ASSERT_EQ(registry().openKey(kHkeyCurrentUser, scratch_, kKeyQueryValue, key), kRegSuccess);
    const std::uint8_t data[] = {'b', 0};
    EXPECT_EQ(registry().setValue(key, "Text", kRegSz, data, 2), kRegAccessDenied);
    EXPECT_EQ(registry().deleteValue(key, "Text"), kRegAccessDenied);
    char name[16];
    EXPECT_EQ(registry().enumKey(key, 0, name, sizeof name), kRegAccessDenied);
    registry().closeKey(key);
}

TEST_F(RegistryContractTest, OnlyEmptyKeysCanBeDeleted) {
    probe_.createKey(kHkeyCurrentUser, scratch_ + "\\child");
    EXPECT_EQ(registry().deleteKey(kHkeyCurrentUser, scratch_), kRegAccessDenied);
    RegKey child = 0;
    ASSERT_EQ(registry().openKey(kHkeyCurrentUser, scratch_ + "\\child", kKeyAllAccessClassic, child), kRegSuccess);
    EXPECT_EQ(registry().deleteKey(kHkeyCurrentUser, scratch_ + "\\CHILD"), kRegSuccess);
    const long keyDeleted = 1018;
    std::uint32_t size = 0;
    EXPECT_EQ(registry().queryValue(child, "", nullptr, nullptr, &size), keyDeleted);
    EXPECT_EQ(registry().closeKey(child), kRegSuccess);
    EXPECT_EQ(registry().deleteKey(kHkeyCurrentUser, scratch_ + "\\child"), kRegFileNotFound);
    EXPECT_EQ(registry().deleteKey(0, scratch_), kRegInvalidHandle);
}

}  // namespace
}  // namespace wf::testing
