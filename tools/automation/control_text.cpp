#include "tools/automation/control_text.h"

#include <windows.h>

namespace wf::automation {

std::string withoutMnemonic(const std::string& caption) {
    std::string shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        // A marker shows the character after it; "&&" thus shows one "&".
        if (caption[i] == '&' && ++i == caption.size()) break;
        shown += caption[i];
    }
    return shown;
}

bool sameClassName(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

}  // namespace wf::automation
