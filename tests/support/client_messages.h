#pragma once
// The launcher's first-run messages as a workstation user must see them, written
// out independently of the program's own copy.
namespace wf::testing {

inline constexpr char kQuestionText[] =
    "Welcome to the Wrenfold Client setup procedure.\r\n\r\nThe path to Wrenfold Server program is not set.  This may "
    "be the first time you are running Wrenfold so we will need to know the location of the Wrenfold server "
    "install.\r\n\r\nIn the next window, you can browse to the location of the Wrenfold.exe file.  This should only "
    "happen once on each workstation\r\n\r\nDo you want to continue?";

inline constexpr char kNoticeText[] =
    "The path to Wrenfold Server needs to be properly set on each workstation.  Please locate the Wrenfold Server "
    "install the next time the client is run.\r\n\r\nThis program will now end.";

}  // namespace wf::testing
