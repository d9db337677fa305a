#include "common/unexpected_failure.h"

#include <gtest/gtest.h>

#include <new>

#include "tests/doubles/fake_process_services.h"
#include "tests/doubles/memory_file_system.h"
#include "tests/doubles/scripted_user_interface.h"

namespace wf::testing {
namespace {

TEST(UnexpectedFailure, IsLoggedAndShownAndShownStillWhenTheLogCannotBeWritten) {
    MemoryFileSystem files;
    FakeProcessServices process;
    files.addFolder(process.folder);
    ScriptedUserInterface ui;
    const std::string text = "The program ends after a failure it did not expect: std::bad_alloc";

    reportUnexpectedFailure(std::bad_alloc(), files, process, ui);
    EXPECT_EQ(files.file(process.folder + "\\ErrorLog.txt").content, text + "\r\n");
    files.faults().failFrom(FileOp::Append, 1, RunError(kErrDiskFull, "Disk full"));
    reportUnexpectedFailure(std::bad_alloc(), files, process, ui);

    ASSERT_EQ(ui.messages.size(), 2u);
    for (const ScriptedUserInterface::ShownMessage& message : ui.messages) {
        EXPECT_EQ(message.text, text);
        EXPECT_EQ(message.style, kOkOnly + kCritical);
    }
}

}  // namespace
}  // namespace wf::testing
