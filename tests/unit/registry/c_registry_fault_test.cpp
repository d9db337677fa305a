// cRegistry when the registry refuses or fails: the in-memory registry's injected
// faults and handle count.
#include <gtest/gtest.h>

#include "installer/registry/c_registry.h"
#include "tests/doubles/memory_registry.h"
#include "tests/unit/registry/registry_fixture.h"

namespace wf::testing {
namespace {

const std::string kKey = "Software\\Quillmark\\Wrenfold";
const std::string kClass = "Wrenfold.Document";

// A registry whose subkey listing breaks down with a run-time failure.
class BrokenListingRegistry : public MemoryRegistry {
public:
    long enumKey(RegKey, std::uint32_t, char*, std::uint32_t) override { throw RunError(7, "Out of memory"); }
};

class CRegistryFaultTest : public ::testing::Test {
protected:
    CRegistryFaultTest() {
        reg_.ClassKey(kCurrentUser);
        reg_.SectionKey(kKey);
    }
    void TearDown() override { EXPECT_EQ(registry_.openHandles(), 0u) << "keys left open"; }
    void registerClass(bool withIcon) {
        reg_.CreateEXEAssociation("C:\\wf.exe", kClass, "Doc", "wfd", "", true, "", true, "", false, "",
                                  withIcon ? 0 : -1);
    }

    MemoryRegistry registry_;
    RegistryProbe probe_{registry_};
    cRegistry reg_{registry_, "dbprep"};
};

TEST_F(CRegistryFaultTest, RaisingOperationsCloseTheirKey) {
    probe_.putText(kHkeyCurrentUser, kKey, "Other", "x");
    reg_.ValueKey("Missing");
    EXPECT_EQ(raisedBy([&] { reg_.DeleteValue(); }).number(), kErrRegistryKey);
    EXPECT_EQ(registry_.openHandles(), 0u);
    reg_.ValueType(kRegBinary);
    EXPECT_EQ(raisedBy([&] { reg_.Value(std::string("x")); }).number(), kErrRegistryKey);
    EXPECT_EQ(registry_.openHandles(), 0u);
    reg_.ValueType(kRegSz);
    registry_.faults().failFrom(RegistryOp::SetValue, 1, kRegAccessDenied);
    EXPECT_EQ(raisedBy([&] { reg_.Value(std::string("x")); }).number(), kErrRegistryWrite);
}

TEST_F(CRegistryFaultTest, ListingFailuresRaiseWithTheirOwnDescription) {
    BrokenListingRegistry broken;
    RegistryProbe(broken).createKey(kHkeyCurrentUser, kKey);
    cRegistry reg(broken, "dbprep");
    reg.ClassKey(kCurrentUser);
    reg.SectionKey(kKey);
    OneBasedArray<std::string> names;
    std::int32_t count = 0;
    RegistryError error = raisedBy([&] { reg.EnumerateSections(names, count); });
    EXPECT_EQ(error.number(), -2147194454);
    EXPECT_EQ(error.description(), "Out of memory");
    EXPECT_EQ(broken.openHandles(), 0u);
}

TEST_F(CRegistryFaultTest, ValueListingStopsQuietlyWhenTheKeyCannotBeMeasured) {
    probe_.putText(kHkeyCurrentUser, kKey, "Name", "x");
    registry_.faults().failFrom(RegistryOp::QueryInfoKey, 1, kRegAccessDenied);
    OneBasedArray<std::string> names;
    std::int32_t count = -1;
    EXPECT_TRUE(reg_.EnumerateValues(names, count));
    EXPECT_EQ(count, 0);
}

TEST_F(CRegistryFaultTest, RefusedExpansionKeepsTheText) {
    probe_.putText(kHkeyCurrentUser, kKey, "Folder", "%WINDIR%\\x", kRegExpandSz);
    registry_.faults().failFrom(RegistryOp::ExpandEnvironment, 1, 1);
    reg_.ValueKey("Folder");
    EXPECT_EQ(reg_.Value(), RegistryVariant(std::string("%WINDIR%\\x")));
}

TEST_F(CRegistryFaultTest, EveryAssociationValueIsWrittenTwice) {
    registerClass(true);
    // Extension, class, open and print and new with their commands, icon.
    EXPECT_EQ(registry_.faults().calls(RegistryOp::SetValue), 2 * 9);
}

TEST_F(CRegistryFaultTest, AFailedWriteEndsTheAssociationKeepingWhatWasWritten) {
    registry_.denyWrites(kHkeyClassesRoot, kClass + "\\shell\\print\\command");
    RegistryError error = raisedBy([&] { registerClass(true); });
    EXPECT_EQ(error.number(), kErrRegistryWrite);
    EXPECT_EQ(error.description(), "Failed to set registry value Key: '-2147483648',Section: '" + kClass +
                                       "\\shell\\print\\command',Key: '' to value: '\"C:\\wf.exe\" /p \"%1\"'");
    EXPECT_TRUE(probe_.get(kHkeyClassesRoot, kClass + "\\shell\\print", ""));
    EXPECT_FALSE(probe_.hasKey(kHkeyClassesRoot, kClass + "\\shell\\new"));
    EXPECT_FALSE(probe_.hasKey(kHkeyClassesRoot, kClass + "\\DefaultIcon"));
}

TEST_F(CRegistryFaultTest, AdditionalVerbsPassOverAFailedWrite) {
    registerClass(false);
    registry_.denyWrites(kHkeyClassesRoot, kClass + "\\shell\\edit");
    reg_.CreateAdditionalEXEAssociations(kClass, {std::string("edit"), std::string("&Edit"), std::string("e"),
                                                  std::string("run"), std::string("&Run"), std::string("r")});
    EXPECT_FALSE(probe_.get(kHkeyClassesRoot, kClass + "\\shell\\edit", ""));
    EXPECT_EQ(probe_.get(kHkeyClassesRoot, kClass + "\\shell\\edit\\command", "")->text(), std::string("e\0", 2));
    EXPECT_EQ(probe_.get(kHkeyClassesRoot, kClass + "\\shell\\run", "")->text(), std::string("&Run\0", 5));
}

}  // namespace
}  // namespace wf::testing
