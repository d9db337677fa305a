#include "client/server_programs.h"

#include <array>

#include "common/text.h"

namespace wf {
namespace {

struct ServerProgram {
    const char* fileName;
    const char* filterLabel;
};

constexpr std::array<ServerProgram, 3> kServerPrograms{{
    {"Wrenfold.exe", "Wrenfold for CP (Wrenfold.exe)"},
    {"WrenfoldGP.exe", "Wrenfold for GP (WrenfoldGP.exe)"},
    {"WrenfoldPBS.exe", "Wrenfold for PBS (WrenfoldPBS.exe)"},
}};

}  // namespace

bool namesServerProgram(const std::string& path) {
    for (const ServerProgram& program : kServerPrograms) {
        std::string name = program.fileName;
        std::string tail = path.size() >= name.size() ? path.substr(path.size() - name.size()) : path;
        if (toLower(tail) == toLower(name)) return true;
    }
    return false;
}

std::string serverProgramFilter() {
    std::string filter;
    for (const ServerProgram& program : kServerPrograms) {
        filter += program.filterLabel;
        filter += '|';
        filter += program.fileName;
        filter += '|';
    }
    return filter;
}

}  // namespace wf
