#include "platform/win32/taskbar_progress.h"

namespace wf::win32 {

void TaskbarProgress::show(TBPFLAG state, ULONGLONG done, ULONGLONG total) {
    if (state == state_ && done == done_ && total == total_) return;
    const bool stateChanged = state != state_;
    state_ = state;
    done_ = done;
    total_ = total;
    ITaskbarList3* button = taskbar();
    if (!button) return;
    if (stateChanged) button->SetProgressState(window_, state);
    if (state != TBPF_NOPROGRESS) button->SetProgressValue(window_, done, total);
}

ITaskbarList3* TaskbarProgress::taskbar() {
    if (asked_) return taskbar_.get();
    asked_ = true;
    ITaskbarList3* made = nullptr;
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                reinterpret_cast<void**>(&made))))
        return nullptr;
    taskbar_ = ComObject<ITaskbarList3>(made);
    if (FAILED(made->HrInit())) taskbar_ = {};
    return taskbar_.get();
}

}  // namespace wf::win32
