#include "batch_recorder.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace wf::standin {
namespace {

std::string folderName(std::string_view database) {
    std::string name;
    for (char c : database) {
        auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || c == '_' || c == '-') {
            name.push_back(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", u);
            name += escaped;
        }
    }
    return name;
}

}  // namespace

void BatchRecorder::record(std::string_view database, std::string_view text) {
    if (!folder_) return;
    std::lock_guard lock(mutex_);
    std::string name = folderName(database);
    std::filesystem::path folder = *folder_ / name;
    std::filesystem::create_directories(folder);
    char file[32];
    std::snprintf(file, sizeof file, "%04u.sql", ++counts_[name]);
    std::ofstream out(folder / file, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot record batch in " + (folder / file).string());
}

}  // namespace wf::standin
