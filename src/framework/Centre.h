// Placing a window in the middle of another one, or of the screen.
#pragma once

#include <windows.h>

namespace fw {

// Centres a top-level window over `over` (its owner when null). Without a usable
// reference (none, minimised or hidden) it centres over the work area of the
// nearest monitor instead. Either way the window ends inside that work area
// where it fits, with its title bar on screen where it does not.
void CentreWindow(HWND window, HWND over = nullptr);

}  // namespace fw
