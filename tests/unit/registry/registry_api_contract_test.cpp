// How the registry answers at the seam. Runs on the in-memory registry and on the
// real one, so that the two are known to agree.
#include <cstring>

#include "tests/unit/registry/registry_fixture.h"

namespace wf::testing {
namespace {

using RegistryContractTest = RegistryFixture;

TEST_F(RegistryContractTest, OpeningFailsForMissingKeysAndUnknownRoots) {
    RegKey key = 123;
    EXPECT_EQ(registry().openKey(kHkeyCurrentUser, scratch_ + "\\missing", kKeyRead, key), kRegFileNotFound);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(registry().openKey(0, "Software", kKeyRead, key), kRegInvalidHandle);
    EXPECT_EQ(registry().createKey(0, "Software", kKeyRead, key), kRegInvalidHandle);
    EXPECT_EQ(registry().closeKey(0), kRegInvalidHandle);
}

TEST_F(RegistryContractTest, NamesAreComparedWithoutRegardToCase) {
    probe_.putText(kHkeyCurrentUser, scratch_ + "\\Sub\\Key", "Name", "text");
    RegKey key = 0;
    ASSERT_EQ(registry().openKey(kHkeyCurrentUser, scratch_ + "\\SUB\\key", kKeyQueryValue, key), kRegSuccess);
    std::uint32_t size = 0;
    EXPECT_EQ(registry().queryValue(key, "NAME", nullptr, nullptr, &size), kRegSuccess);
    EXPECT_EQ(size, 5u);
    registry().closeKey(key);
}

TEST_F(RegistryContractTest, QueryReportsTypeAndSizeWhenTheBufferIsTooSmall) {
    probe_.putText(kHkeyCurrentUser, scratch_, "Text", "abcdef");
    probe_.put(kHkeyCurrentUser, scratch_, "Empty", kRegBinary, {});
    RegKey key = 0;
    ASSERT_EQ(registry().openKey(kHkeyCurrentUser, scratch_, kKeyQueryValue, key), kRegSuccess);
    std::uint8_t buffer[4] = {};
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(registry().queryValue(key, "Text", &type, buffer, &size), kRegMoreData);
    EXPECT_EQ(type, kRegSz);
    EXPECT_EQ(size, 7u);
    size = 0;
    EXPECT_EQ(registry().queryValue(key, "Empty", &type, buffer, &size), kRegSuccess);
    EXPECT_EQ(type, kRegBinary);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(registry().queryValue(key, "Missing", &type, buffer, &size), kRegFileNotFound);
    registry().closeKey(key);
}

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

TEST_F(RegistryContractTest, EnumerationNeedsRoomForTheTerminator) {
    const std::string longName(255, 'k');
    probe_.createKey(kHkeyCurrentUser, scratch_ + "\\alpha");
    probe_.putText(kHkeyCurrentUser, scratch_, "abc", "x");
    probe_.putText(kHkeyCurrentUser, scratch_, "Longer name", "xyz");
    RegKey key = 0;
    ASSERT_EQ(registry().openKey(kHkeyCurrentUser, scratch_, kKeyAllAccessClassic, key), kRegSuccess);
    probe_.createKey(key, longName);
    RegKeyInfo info;
    ASSERT_EQ(registry().queryInfoKey(key, info), kRegSuccess);
    EXPECT_EQ(info.subKeys, 2u);
    EXPECT_EQ(info.maxSubKeyLength, 255u);
    EXPECT_EQ(info.values, 2u);
    EXPECT_EQ(info.maxValueNameLength, 11u);
    EXPECT_EQ(info.maxValueDataLength, 8u);  // "xyz" and its terminator in UTF-16

    char name[256];
    EXPECT_EQ(registry().enumKey(key, 0, name, 255), kRegSuccess);
    EXPECT_STREQ(name, "alpha");
    EXPECT_EQ(registry().enumKey(key, 1, name, 255), kRegMoreData);
    EXPECT_EQ(registry().enumKey(key, 1, name, 256), kRegSuccess);
    EXPECT_EQ(std::string(name), longName);
    EXPECT_EQ(registry().enumKey(key, 2, name, 256), kRegNoMoreItems);

    std::uint32_t length = 3;
    EXPECT_EQ(registry().enumValue(key, 0, name, &length), kRegMoreData);
    length = 4;
    EXPECT_EQ(registry().enumValue(key, 0, name, &length), kRegSuccess);
    EXPECT_EQ(length, 3u);
    EXPECT_STREQ(name, "abc");
    length = sizeof name;
    EXPECT_EQ(registry().enumValue(key, 2, name, &length), kRegNoMoreItems);
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

TEST_F(RegistryContractTest, ExpansionReportsTheSizeItNeeds) {
    target_->setEnvironment("WF_REGISTRY_TEST", "value");
    const std::string source = "<%WF_REGISTRY_TEST%|%WF_REGISTRY_UNSET%>";
    std::uint32_t needed = registry().expandEnvironmentStrings(source, nullptr, 0);
    const std::string expected = "<value|%WF_REGISTRY_UNSET%>";
    ASSERT_GE(needed, expected.size() + 1);
    std::string buffer(needed, 'x');
    EXPECT_EQ(registry().expandEnvironmentStrings(source, buffer.data(), needed), needed);
    EXPECT_STREQ(buffer.c_str(), expected.c_str());
}

}  // namespace
}  // namespace wf::testing
