#include "framework/Centre.h"

namespace fw {

namespace {

// A minimised window reports a rectangle far off screen; a hidden one means nothing to the user.
bool UsableReference(HWND over)
{
    return over && ::IsWindow(over) && ::IsWindowVisible(over) && !::IsIconic(over);
}

// Left edge of a span of `size` centred at `middle`, moved into low..high where
// it fits and to low where it does not.
int Place(int middle, int size, int low, int high)
{
    int start = middle - size / 2;
    if (start + size > high) start = high - size;
    if (start < low) start = low;
    return start;
}

}  // namespace

void CentreWindow(HWND window, HWND over)
{
    if (!window) return;
    if (!over) over = ::GetWindow(window, GW_OWNER);
    const bool useReference = UsableReference(over);

    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    const HMONITOR nearest = ::MonitorFromWindow(useReference ? over : window, MONITOR_DEFAULTTONEAREST);
    if (!::GetMonitorInfoW(nearest, &monitor))
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
    const RECT& work = monitor.rcWork;

    RECT reference = work;
    if (useReference) ::GetWindowRect(over, &reference);
    RECT own{};
    ::GetWindowRect(window, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;

    const int x = Place((reference.left + reference.right) / 2, width, work.left, work.right);
    const int y = Place((reference.top + reference.bottom) / 2, height, work.top, work.bottom);
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace fw
