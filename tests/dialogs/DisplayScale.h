// The scale the dialog tests run at. CTest runs them at 100 % and again at 125,
// 150 and 200 % through atdpi.exe, which sets the prefix's LogPixels for the
// one run and tells the program the scale in SETUP_TEST_DPI.
#pragma once

#include <windows.h>

// The scale this run was started for: SETUP_TEST_DPI, 96 without it.
int ExpectedDpi();
// The scale the system gives this process (the screen's LOGPIXELSY).
int ScreenDpi();

// The smallest rectangle of area (client coordinates of window) holding every
// pixel that is not background; empty when there is none.
RECT InkBounds(HWND window, const RECT& area, COLORREF background);
