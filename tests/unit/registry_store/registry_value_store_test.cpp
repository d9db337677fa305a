#include "common/registry_store/registry_value_store.h"

#include <gtest/gtest.h>

#include "tests/doubles/memory_registry.h"
#include "tests/unit/registry/registry_probe.h"

namespace wf::testing {
namespace {

const std::string kKey = "SOFTWARE\\Quillmark\\WrenfoldClient";

class RegistryValueStoreTest : public ::testing::Test {
protected:
    MemoryRegistry registry_;
    RegistryProbe probe_{registry_};
    RegistryValueStore store_{registry_};
};

TEST_F(RegistryValueStoreTest, MissingKeyOrValueLeavesTheTextAlone) {
    std::string value = "unchanged";
    EXPECT_FALSE(store_.ReadValue(kHkeyCurrentUser, kKey, "ServerPath", value));
    probe_.createKey(kHkeyCurrentUser, kKey);
    EXPECT_FALSE(store_.ReadValue(kHkeyCurrentUser, kKey, "ServerPath", value));
    EXPECT_EQ(value, "unchanged");
    EXPECT_EQ(registry_.openHandles(), 0u);
}

TEST_F(RegistryValueStoreTest, ReadsTextValuesWithoutTheirTerminator) {
    probe_.putText(kHkeyCurrentUser, kKey, "ServerPath", "\\\\srv\\share\\Wrenfold.exe");
    probe_.putText(kHkeyCurrentUser, kKey, "Expandable", "%WINDIR%\\x", kRegExpandSz);
    probe_.putText(kHkeyCurrentUser, kKey, "Empty", "");
    std::string value;
    ASSERT_TRUE(store_.ReadValue(kHkeyCurrentUser, "software\\QUILLMARK\\wrenfoldclient", "serverpath", value));
    EXPECT_EQ(value, "\\\\srv\\share\\Wrenfold.exe");
    ASSERT_TRUE(store_.ReadValue(kHkeyCurrentUser, kKey, "Expandable", value));
    EXPECT_EQ(value, "%WINDIR%\\x");
    ASSERT_TRUE(store_.ReadValue(kHkeyCurrentUser, kKey, "Empty", value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(registry_.openHandles(), 0u);
}

TEST_F(RegistryValueStoreTest, OtherTypesAreNotText) {
    probe_.put(kHkeyCurrentUser, kKey, "Count", kRegDword, {7, 0, 0, 0});
    probe_.put(kHkeyCurrentUser, kKey, "Bytes", kRegBinary, {'a', 'b', 0});
    std::string value = "unchanged";
    EXPECT_FALSE(store_.ReadValue(kHkeyCurrentUser, kKey, "Count", value));
    EXPECT_FALSE(store_.ReadValue(kHkeyCurrentUser, kKey, "Bytes", value));
    EXPECT_EQ(value, "unchanged");
}

TEST_F(RegistryValueStoreTest, WriteCreatesTheKeyAndStoresTerminatedText) {
    ASSERT_TRUE(store_.WriteValue(kHkeyCurrentUser, kKey, "ServerPath", "C:\\Wrenfold.exe"));
    auto stored = probe_.get(kHkeyCurrentUser, kKey, "ServerPath");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, kRegSz);
    EXPECT_EQ(stored->text(), std::string("C:\\Wrenfold.exe\0", 16));
    ASSERT_TRUE(store_.WriteValue(kHkeyCurrentUser, kKey, "ServerPath", "D:\\other.exe"));
    std::string value;
    ASSERT_TRUE(store_.ReadValue(kHkeyCurrentUser, kKey, "ServerPath", value));
    EXPECT_EQ(value, "D:\\other.exe");
    EXPECT_EQ(registry_.openHandles(), 0u);
}

TEST_F(RegistryValueStoreTest, FailedWritesReportFalseAndCloseTheKey) {
    registry_.denyWrites(kHkeyCurrentUser, kKey);
    EXPECT_FALSE(store_.WriteValue(kHkeyCurrentUser, kKey, "ServerPath", "x"));
    EXPECT_EQ(registry_.openHandles(), 0u);
    registry_.faults().failFrom(RegistryOp::CreateKey, 1, kRegAccessDenied);
    EXPECT_FALSE(store_.WriteValue(kHkeyCurrentUser, "SOFTWARE\\Other", "ServerPath", "x"));
    EXPECT_FALSE(probe_.hasKey(kHkeyCurrentUser, "SOFTWARE\\Other"));
    EXPECT_FALSE(store_.WriteValue(0, kKey, "ServerPath", "x"));
}

}  // namespace
}  // namespace wf::testing
