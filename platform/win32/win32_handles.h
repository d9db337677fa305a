#pragma once
// Owners of what the system hands out and wants back: each releases its handle
// the way that kind is released, once, when it is destroyed or takes another.
// Moving one hands the handle on, so every handle has exactly one owner.
#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace wf::win32 {

// `Kind` names the handle's type, the value that stands for none, and its release.
template <class Kind>
class UniqueHandle {
public:
    using Handle = typename Kind::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { release(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Kind::none())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        Handle taken = std::exchange(other.handle_, Kind::none());
        release();
        handle_ = taken;
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Kind::none(); }

private:
    void release() {
        if (*this) Kind::release(std::exchange(handle_, Kind::none()));
    }

    Handle handle_ = Kind::none();
};

// A file is none as INVALID_HANDLE_VALUE, what CreateFile answers on failure;
// the other kernel objects (processes, threads) as null, what CreateProcess
// leaves: for them INVALID_HANDLE_VALUE is the current process itself.
struct FileHandleKind {
    using Handle = HANDLE;
    static Handle none() { return INVALID_HANDLE_VALUE; }
    static void release(Handle handle) { CloseHandle(handle); }
};

struct KernelHandleKind {
    using Handle = HANDLE;
    static Handle none() { return nullptr; }
    static void release(Handle handle) { CloseHandle(handle); }
};

// A search of FindFirstFile, ended by FindClose rather than closed.
struct FindHandleKind {
    using Handle = HANDLE;
    static Handle none() { return INVALID_HANDLE_VALUE; }
    static void release(Handle handle) { FindClose(handle); }
};

struct LibraryKind {
    using Handle = HMODULE;
    static Handle none() { return nullptr; }
    static void release(Handle handle) { FreeLibrary(handle); }
};

template <class Object>
struct GdiObjectKind {
    using Handle = Object;
    static Handle none() { return nullptr; }
    static void release(Handle handle) { DeleteObject(handle); }
};

// Only icons loaded without LR_SHARED: shared ones are the system's to free.
struct IconKind {
    using Handle = HICON;
    static Handle none() { return nullptr; }
    static void release(Handle handle) { DestroyIcon(handle); }
};

// A reference to a COM object, given back by Release.
template <class Interface>
struct ComObjectKind {
    using Handle = Interface*;
    static Handle none() { return nullptr; }
    static void release(Handle object) { object->Release(); }
};

using FileHandle = UniqueHandle<FileHandleKind>;
using KernelHandle = UniqueHandle<KernelHandleKind>;
using FindHandle = UniqueHandle<FindHandleKind>;
using LibraryHandle = UniqueHandle<LibraryKind>;
using FontHandle = UniqueHandle<GdiObjectKind<HFONT>>;
using IconHandle = UniqueHandle<IconKind>;
template <class Interface>
using ComObject = UniqueHandle<ComObjectKind<Interface>>;

// A window's device context, given back to the window it came from.
class WindowDeviceContext {
public:
    explicit WindowDeviceContext(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDeviceContext() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDeviceContext(const WindowDeviceContext&) = delete;
    WindowDeviceContext& operator=(const WindowDeviceContext&) = delete;

    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

}  // namespace wf::win32
