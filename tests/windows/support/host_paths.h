#pragma once
// Paths of the build tree as a Windows program under Wine sees them: the host's
// root is drive Z:.
#include <string>

namespace wf::testing {

inline std::string windowsPath(const std::string& hostPath) {
    if (hostPath.size() >= 2 && hostPath[1] == ':') return hostPath;
    std::string path = "Z:" + hostPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

}  // namespace wf::testing
