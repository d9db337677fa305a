#include "batch_recorder.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "text.h"

namespace wf::standin {
void BatchRecorder::record(std::string_view database, std::string_view text) {
    if (!folder_) return;
    std::lock_guard lock(mutex_);
    std::string name = fileSafeName(database);
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
