#include "framework/Dpi.h"

#include "framework/Handles.h"

namespace fw {

int WindowDpi(HWND window)
{
    // GetDpiForWindow came with Windows 10 (1607); before it the scale is the
    // system's, which the window's device context reports.
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
    }
    WindowDC dc(window);
    const int dpi = dc.Get() ? ::GetDeviceCaps(dc.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace fw
