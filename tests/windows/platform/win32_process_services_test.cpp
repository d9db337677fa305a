#include "platform/win32/win32_process_services.h"

#include <gtest/gtest.h>

#include "common/run_error.h"
#include "platform/win32/win32_file_system.h"
#include "tests/windows/support/host_paths.h"

namespace wf::win32 {
namespace {

TEST(CommandLineArguments, AreWhatFollowsTheProgramName) {
    EXPECT_EQ(Win32ProcessServices::argumentsOf("\"C:\\Program Files\\WrenfoldClient.exe\" one two"), "one two");
    EXPECT_EQ(Win32ProcessServices::argumentsOf("WrenfoldClient.exe   one  two "), "one  two ");
    EXPECT_EQ(Win32ProcessServices::argumentsOf("WrenfoldClient.exe"), "");
    EXPECT_EQ(Win32ProcessServices::argumentsOf("\"C:\\unclosed quote"), "");
    EXPECT_EQ(Win32ProcessServices::argumentsOf(""), "");
}

TEST(ProgramIdentity, FolderAndNameComeFromTheRunningProgram) {
    Win32ProcessServices process;
    EXPECT_EQ(process.programName(), "platform_windows_tests");
    EXPECT_FALSE(process.programFolder().empty());
    EXPECT_NE(process.programFolder().back(), '\\');
}

TEST(ProgramVersion, IsReadFromTheVersionResource) {
    Win32FileSystem files;
    EXPECT_EQ(files.versionText(testing::windowsPath(WF_CLIENT_EXE)), "1.4.0.2");
}

TEST(StartProgram, AMissingProgramOrFolderIsFileNotFound) {
    Win32ProcessServices process;
    std::string folder = process.programFolder();
    for (std::string missing : {folder + "\\Wrenfold.exe", folder + "\\no such folder\\Wrenfold.exe"}) {
        try {
            process.startProgram("\"" + missing + "\" /Client", kNormalFocus);
            ADD_FAILURE() << "no failure for " << missing;
        } catch (const RunError& error) {
            EXPECT_EQ(std::to_string(error.number()) + " " + error.description(), "53 File not found") << missing;
        }
    }
}

TEST(StartProgram, AProgramWithoutAWindowIsActivatedWithoutFailure) {
    Win32ProcessServices process;
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    double task = process.startProgram("\"" + std::string(system) + "\\cmd.exe\" /c exit", kNormalFocus);
    EXPECT_GT(task, 0);
    DWORD before = GetTickCount();
    process.activateProgram(task);
    EXPECT_LT(GetTickCount() - before, 6000u);
}

}  // namespace
}  // namespace wf::win32
