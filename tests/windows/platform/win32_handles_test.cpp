#include "platform/win32/win32_handles.h"

#include <gtest/gtest.h>

#include <utility>

namespace wf::win32 {
namespace {

bool isOpen(HANDLE handle) {
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

// A handle is closed once, by the owner that holds it last: a move hands it on,
// and an owner given another handle closes the one it held.
TEST(HandleOwners, CloseEachHandleOnceByItsLastOwner) {
    HANDLE first = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE second = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    {
        KernelHandle owner(first);
        KernelHandle next(std::move(owner));
        EXPECT_FALSE(owner);
        { KernelHandle emptied(std::move(owner)); }
        EXPECT_TRUE(isOpen(first));
        next = KernelHandle(second);
        EXPECT_FALSE(isOpen(first));
        EXPECT_TRUE(isOpen(second));
    }
    EXPECT_FALSE(isOpen(second));
}

}  // namespace
}  // namespace wf::win32
