// Screenshots of what the screen shows, saved as PNG.
#include <windows.h>

#include <fstream>

#include "tools/automation/automation.h"
#include "tools/automation/png_writer.h"
#include "tools/automation/polling.h"

namespace wf::automation {
namespace {

// Releases the GDI objects of one capture on every way out.
struct Capture {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = nullptr;
    ~Capture() {
        if (bitmap) DeleteObject(bitmap);
        if (memory) DeleteDC(memory);
        if (screen) ReleaseDC(nullptr, screen);
    }
};

RECT areaToCapture(HWND window) {
    RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
    screen.right = screen.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    screen.bottom = screen.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (window == nullptr) return screen;
    RECT area{};
    if (!GetWindowRect(window, &area)) return {};
    RECT visible{};
    if (!IntersectRect(&visible, &area, &screen)) return {};
    return visible;
}

// True when neither `window` nor any of its children has a part left to paint.
bool painted(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return false;
    bool childrenPainted = true;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM all) -> BOOL {
            if (!GetUpdateRect(child, nullptr, FALSE)) return TRUE;
            *reinterpret_cast<bool*>(all) = false;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&childrenPainted));
    return childrenPainted;
}

// A round trip through the thread that owns `window`: it has dealt with what
// was sent to it before, and has been idle once, which is when Wine puts what
// the thread drew on the screen.
void roundTrip(HWND window) {
    DWORD_PTR ignored = 0;
    for (int trip = 0; trip < 2; ++trip)
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &ignored);
}

// A window that has just appeared or changed may not have painted itself yet:
// its thread is asked to paint now, and the capture waits until it has.
void waitUntilPainted(HWND window) {
    if (window == nullptr) return;
    roundTrip(window);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    pollFor(std::chrono::milliseconds(kMessageTimeoutMs), [&] { return painted(window); });
    roundTrip(window);
}

}  // namespace

bool saveScreenshot(HWND window, const std::string& pngPath) {
    waitUntilPainted(window);
    return saveScreenshotAsItIs(window, pngPath);
}

bool saveScreenshotAsItIs(HWND window, const std::string& pngPath) {
    const RECT area = areaToCapture(window);
    const LONG width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;

    Capture capture;
    if (!capture.screen || !capture.memory) return false;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    capture.bitmap = CreateDIBSection(capture.screen, &format, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!capture.bitmap) return false;
    HGDIOBJ previous = SelectObject(capture.memory, capture.bitmap);
    const bool copied =
        BitBlt(capture.memory, 0, 0, width, height, capture.screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    SelectObject(capture.memory, previous);
    if (!copied) return false;

    const auto* bgra = static_cast<const unsigned char*>(pixels);
    std::string rgb;
    rgb.reserve(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t i = 0, n = static_cast<std::size_t>(width) * height; i < n; ++i) {
        rgb += static_cast<char>(bgra[i * 4 + 2]);
        rgb += static_cast<char>(bgra[i * 4 + 1]);
        rgb += static_cast<char>(bgra[i * 4]);
    }
    const std::string png = encodePng(width, height, rgb);
    std::ofstream file(pngPath, std::ios::binary | std::ios::trunc);
    file.write(png.data(), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(file.flush());
}

}  // namespace wf::automation
