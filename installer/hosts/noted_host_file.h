#pragma once
// Reading one of the host system's files the way start-up does: the file is noted
// in the log with every line read and what was wrong with it; a file that cannot
// be read gives the fallback.
#include <string>

#include "installer/hosts/counterpoint_files.h"
#include "installer/login/error_log.h"

namespace wf {

template <class Result, class Read>
Result readNotedHostFile(FileSystem& files, ErrorLog log, const std::string& path, Result fallback, Read&& read) {
    HostFileLines seen;
    Result result = std::move(fallback);
    try {
        LineReader lines = openLines(files, path);
        result = read(lines, seen);
    } catch (const RunError& failure) {
        seen.remarks.push_back(unreadableFileRemark(failure));
    }
    log.fileNote(path, seen.read, seen.remarks);
    return result;
}

}  // namespace wf
