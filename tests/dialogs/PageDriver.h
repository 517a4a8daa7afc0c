// Driving real dialogs from a test: a modal run whose steps come from a timer
// inside the dialog's own message loop, input as the system delivers it, and the
// windows' pixels read back.
#pragma once

#include "framework/Dialog.h"

#include <functional>
#include <string>
#include <vector>

using PageStep = std::function<void(HWND dialog)>;

// RunModal's result when the steps left the dialog open (it is then cancelled).
constexpr INT_PTR kLeftOpen = -2;

// Runs dialog modally; each step runs on its own timer tick once the dialog is
// visible, so input posted by one step passes the dialog manager before the next.
INT_PTR RunModal(fw::Dialog& dialog, std::vector<PageStep> steps);

// Row index of a list clicked with the left button (twice: a double click).
void ClickRow(HWND list, int index, bool twice = false);
// A key pressed and released on window, posted as the keyboard does.
void PressKey(HWND window, UINT key);
// The command a click on button id sends (also for hidden buttons).
void SendClick(HWND dialog, int id);

// The pixels of area of window's client area as the screen shows them, row by row.
std::vector<COLORREF> ClientPixels(HWND window, const RECT& area);
// Saves window as it paints itself to screenshots\<name>.bmp beside the test program.
bool SaveScreenshot(HWND window, const std::wstring& name);

// A drive letter that names no drive here.
wchar_t MissingDrive();
// A profile file in UTF-16 with its byte-order mark, read whole by the profile functions.
void WriteScript(const std::wstring& path, const std::wstring& text);
