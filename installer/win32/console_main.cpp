// dbprep.com: the database installer's command line, which a console runs,
// waits for and shows the output of, as "dbprep" typed there finds it first.
#include <string>
#include <vector>

#include "installer/win32/console_program.h"
#include "platform/win32/system_library.h"

int main(int argc, char** argv) {
    wf::win32::restrictLibrarySearchToSystemFolder();
    return wf::win32::runConsoleProgram(std::vector<std::string>(argv + 1, argv + argc));
}
