#include "tests/windows/support/scratch_folder.h"

#include <chrono>
#include <fstream>
#include <sstream>

#include "tools/automation/poll_for.h"

namespace wf::testing {
namespace {

bool removeTreeOnce(const std::string& path) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTreeOnce(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryA(path.c_str()) || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& label) {
    static int counter = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "wf_" + label + "_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(++counter);
    removeTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { removeTree(path_); }

std::string ScratchFolder::folder(const std::string& relative) const {
    std::string path = path_;
    std::stringstream parts(relative);
    std::string part;
    while (std::getline(parts, part, '\\')) {
        path += "\\" + part;
        CreateDirectoryA(path.c_str(), nullptr);
    }
    return path;
}

bool removeTree(const std::string& path) {
    return automation::pollFor(std::chrono::seconds(5), [&] { return removeTreeOnce(path); });
}

std::string readFileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

void writeFileText(const std::string& path, const std::string& content) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << content;
}

bool copyFileTo(const std::string& from, const std::string& to) { return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0; }

}  // namespace wf::testing
