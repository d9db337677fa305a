// Under HKEY_LOCAL_MACHINE\SOFTWARE the registry class and the value store see the
// 32-bit view, where the host systems' setups write, whatever the program's
// bitness; a key or value only the 64-bit view holds is none of theirs.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/registry_store/registry_value_store.h"
#include "installer/registry/c_registry.h"
#include "platform/win32/win32_registry_api.h"
#include "tests/windows/support/registry_views.h"

namespace wf::testing {
namespace {

constexpr std::int32_t kMachine = static_cast<std::int32_t>(kHkeyLocalMachine);
const std::string kDataSources = "Software\\odbc\\odbc.ini\\ODBC Data Sources";
const std::string kDataSourcesSpelledBySetup = "SOFTWARE\\ODBC\\ODBC.INI\\ODBC Data Sources";

class HostRegistryView : public ::testing::Test {
protected:
    ~HostRegistryView() override {
        for (RegistryView view : {RegistryView::ThirtyTwoBit, RegistryView::SixtyFourBit}) {
            deleteViewValue(view, HKEY_LOCAL_MACHINE, kDataSourcesSpelledBySetup, source32_);
            deleteViewValue(view, HKEY_LOCAL_MACHINE, kDataSourcesSpelledBySetup, source64_);
            deleteViewTree(view, HKEY_LOCAL_MACHINE, scratch_);
        }
    }

    const std::string stamp_ = std::to_string(GetCurrentProcessId());
    const std::string source32_ = "Passport32 " + stamp_;
    const std::string source64_ = "Passport64 " + stamp_;
    const std::string scratch_ = "SOFTWARE\\Quillmark\\WrenfoldViewTest" + stamp_;
    win32::Win32RegistryApi api_;
};

TEST_F(HostRegistryView, DataSourcesAreListedFromTheThirtyTwoBitView) {
    putViewText(RegistryView::ThirtyTwoBit, HKEY_LOCAL_MACHINE, kDataSourcesSpelledBySetup, source32_, "SQL Server");
    putViewText(RegistryView::SixtyFourBit, HKEY_LOCAL_MACHINE, kDataSourcesSpelledBySetup, source64_, "SQL Server");
    cRegistry reg(api_, "dbprep");
    reg.ClassKey(kMachine);
    reg.SectionKey(kDataSources);
    OneBasedArray<std::string> names;
    std::int32_t count = 0;
    ASSERT_TRUE(reg.EnumerateValues(names, count));
    std::vector<std::string> listed(names.begin(), names.end());
    EXPECT_THAT(listed, ::testing::Contains(source32_));
    EXPECT_THAT(listed, ::testing::Not(::testing::Contains(source64_)));
}

// Reading is shown by the launcher's own end-to-end test of its stored path.
TEST_F(HostRegistryView, ValuesAreWrittenAndDeletedInTheThirtyTwoBitView) {
    ASSERT_TRUE(RegistryValueStore(api_).WriteValue(kHkeyLocalMachine, scratch_, "Saved", "by the store"));
    cRegistry reg(api_, "dbprep");
    reg.ClassKey(kMachine);
    reg.SectionKey(scratch_ + "\\Class");
    reg.ValueKey("Written");
    reg.ValueType(kRegSz);
    reg.Value(RegistryVariant(std::string("by the class")));
    EXPECT_EQ(viewText(RegistryView::ThirtyTwoBit, HKEY_LOCAL_MACHINE, scratch_, "Saved"), "by the store");
    EXPECT_EQ(viewText(RegistryView::ThirtyTwoBit, HKEY_LOCAL_MACHINE, scratch_ + "\\Class", "Written"), "by the class");
    EXPECT_EQ(viewText(RegistryView::SixtyFourBit, HKEY_LOCAL_MACHINE, scratch_, "Saved"), std::nullopt);
    EXPECT_EQ(viewText(RegistryView::SixtyFourBit, HKEY_LOCAL_MACHINE, scratch_ + "\\Class", "Written"),
              std::nullopt);

    EXPECT_TRUE(reg.DeleteKey());
    EXPECT_EQ(viewText(RegistryView::ThirtyTwoBit, HKEY_LOCAL_MACHINE, scratch_ + "\\Class", "Written"), std::nullopt);
}

}  // namespace
}  // namespace wf::testing
