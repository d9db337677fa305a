#pragma once
// The progress a window's taskbar button shows. The shell's taskbar object is
// made the first time there is progress to show, on the window's thread, which
// must be in a COM apartment (com_apartment.h); where the system has none or it
// refuses, the button shows nothing and the window goes on as before. Only what
// differs from what was last shown is sent.
#include <windows.h>
#include <shobjidl.h>

#include "platform/win32/win32_handles.h"

namespace wf::win32 {

class TaskbarProgress {
public:
    explicit TaskbarProgress(HWND window) : window_(window) {}

    // `state`: TBPF_NOPROGRESS, TBPF_NORMAL or TBPF_ERROR, with `done` of `total`.
    void show(TBPFLAG state, ULONGLONG done, ULONGLONG total);

private:
    // The taskbar object, made at the first call; null when it cannot be had.
    ITaskbarList3* taskbar();

    HWND window_;
    ComObject<ITaskbarList3> taskbar_;
    bool asked_ = false;  // whether the system has been asked for the taskbar object
    // What the button shows: at first, as for any new window, no progress.
    TBPFLAG state_ = TBPF_NOPROGRESS;
    ULONGLONG done_ = 0;
    ULONGLONG total_ = 0;
};

}  // namespace wf::win32
