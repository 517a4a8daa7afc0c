// The scale a window is shown at. Sizes written for 96 dots per inch (100 %)
// grow with it, so a page drawn by hand matches the controls the system scales.
#pragma once

#include <windows.h>

namespace fw {

constexpr int kDefaultDpi = USER_DEFAULT_SCREEN_DPI;  // 96: 100 %

// The dots per inch of the monitor the window is on (per-monitor aware), or of
// the system where the system cannot tell per window; 96 when neither answers.
int WindowDpi(HWND window);

// value, given at 96 dots per inch, at dpi (rounded to the nearest pixel).
inline int ScaleToDpi(int value, int dpi)
{
    return ::MulDiv(value, dpi, kDefaultDpi);
}

}  // namespace fw
