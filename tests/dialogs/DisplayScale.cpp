#include "DisplayScale.h"

#include "PageDriver.h"
#include "framework/Handles.h"

#include <algorithm>
#include <cstdlib>

namespace {

// As setup.exe's manifest asks: the pages are laid out for the real scale,
// never stretched as pictures. Before any window of the program exists.
[[maybe_unused]] const bool kAware = [] {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    const auto set = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    const HANDLE perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
    return (set && set(perMonitorV2)) || ::SetProcessDPIAware();
}();

}  // namespace

int ExpectedDpi()
{
    const char* value = std::getenv("SETUP_TEST_DPI");
    const int dpi = value ? std::atoi(value) : 0;
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int ScreenDpi()
{
    fw::WindowDC screen(nullptr);
    return ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

RECT InkBounds(HWND window, const RECT& area, COLORREF background)
{
    const std::vector<COLORREF> pixels = ClientPixels(window, area);
    const int width = area.right - area.left;
    RECT ink{area.right, area.bottom, area.left, area.top};
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (pixels[i] == background) continue;
        const int x = area.left + static_cast<int>(i % width);
        const int y = area.top + static_cast<int>(i / width);
        ink.left = std::min<LONG>(ink.left, x);
        ink.top = std::min<LONG>(ink.top, y);
        ink.right = std::max<LONG>(ink.right, x + 1);
        ink.bottom = std::max<LONG>(ink.bottom, y + 1);
    }
    if (ink.left >= ink.right) return RECT{};
    return ink;
}
