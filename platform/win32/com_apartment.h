#pragma once
// The calling thread in a single-threaded COM apartment, as the shell's objects
// used by a window's thread want it, for as long as this lives. Where COM cannot
// be had the thread goes on without it and those objects are simply not made.
#include <windows.h>
#include <objbase.h>

namespace wf::win32 {

class ComApartment {
public:
    ComApartment()
        : entered_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (entered_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool entered_;
};

}  // namespace wf::win32
