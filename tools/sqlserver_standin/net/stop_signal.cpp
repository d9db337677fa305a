#include "net/stop_signal.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace wf::standin {

StopSignal::StopSignal() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) throw std::system_error(errno, std::generic_category(), "pipe");
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
}

StopSignal::~StopSignal() {
    ::close(readEnd_);
    ::close(writeEnd_);
}

void StopSignal::request() {
    char byte = 1;
    // One byte is enough to keep the read end readable; a full pipe means it already is.
    while (::write(writeEnd_, &byte, 1) < 0 && errno == EINTR) {
    }
}

bool waitForSocketOrStop(int socket, const StopSignal& stop) {
    for (;;) {
        pollfd entries[2] = {{socket, POLLIN, 0}, {stop.fd(), POLLIN, 0}};
        if (::poll(entries, 2, -1) < 0) {
            if (errno == EINTR) continue;
            throw std::system_error(errno, std::generic_category(), "poll");
        }
        if (entries[1].revents) return false;
        if (entries[0].revents) return true;
    }
}

}  // namespace wf::standin
