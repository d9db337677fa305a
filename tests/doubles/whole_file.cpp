#include "tests/doubles/whole_file.h"

namespace wf::testing {

std::string readWholeFile(FileSystem& files, const std::string& path) {
    std::unique_ptr<FileReader> file = files.openForReading(path);
    std::string content;
    char piece[4096];
    while (std::size_t count = file->read(piece, sizeof piece)) content.append(piece, count);
    return content;
}

}  // namespace wf::testing
