#pragma once
// A flag that the server's loops can wait on together with their sockets: its
// descriptor becomes readable, and stays so, once the stop is requested.
namespace wf::standin {

class StopSignal {
public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    void request();
    int fd() const { return readEnd_; }

private:
    int readEnd_ = -1;
    int writeEnd_ = -1;
};

// Waits until `socket` is readable or the stop is requested; true for the socket.
bool waitForSocketOrStop(int socket, const StopSignal& stop);

}  // namespace wf::standin
