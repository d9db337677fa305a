#include "platform/win32/system_library.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/run_error.h"

namespace wf::win32 {
namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

// "Not found" alone would not tell a user which library or entry point is missing.
TEST(SystemLibrary, AMissingLibraryOrEntryPointIsNamedInItsFailure) {
    EXPECT_THAT([] { SystemLibrary missing(L"wf_no_such_library.dll"); },
                ThrowsMessage<RunError>(HasSubstr("wf_no_such_library.dll could not be loaded")));
    SystemLibrary version(L"version.dll");
    EXPECT_NE(version.entry<FARPROC>("VerQueryValueA"), nullptr);
    EXPECT_THAT([&] { version.entry<FARPROC>("NoSuchEntry"); },
                ThrowsMessage<RunError>(HasSubstr("version.dll lacks NoSuchEntry")));
}

}  // namespace
}  // namespace wf::win32
