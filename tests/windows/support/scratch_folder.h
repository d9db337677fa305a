#pragma once
// A folder of the test's own under the temporary folder, removed with everything
// in it when the test ends.
#include <windows.h>

#include <string>

namespace wf::testing {

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& label);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    // Creates a subfolder (and its parents) and returns its path.
    std::string folder(const std::string& relative) const;

private:
    std::string path_;
};

// Removes a folder tree; retries for a while, as a program that just ended may still hold a file.
bool removeTree(const std::string& path);

std::string readFileText(const std::string& path);
void writeFileText(const std::string& path, const std::string& content);
bool copyFileTo(const std::string& from, const std::string& to);

}  // namespace wf::testing
