#pragma once
// What the sample server program shows about how it was started.
#include <string>
#include <vector>

namespace wf::sample_server {

// The command line with its tabs made visible, then each argument on a line of
// its own, numbered from 0 (the program). Lines end in CR LF, as an edit control needs.
std::string startReport(const std::string& commandLine, const std::vector<std::string>& arguments);

}  // namespace wf::sample_server
