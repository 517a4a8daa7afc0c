// What kind of Windows the program runs on, and the Windows folder. The copy
// engine keeps both in its run object, so tests can give other values.
#pragma once

#include <windows.h>

#include <string>

enum class SystemKind {
    NtFamily,      // top bit of the GetVersion word clear
    Win95Family,   // top bit set, major version 4 or above
    Old16BitHost,  // top bit set, major version below 4
};

// Classifies a GetVersion word.
SystemKind SystemKindFromVersion(DWORD version);

// The kind GetVersion reports.
SystemKind CurrentSystemKind();

// Windows XP or later: the NT family above version 5.0.
bool IsXpOrLater(SystemKind kind);

// GetWindowsDirectoryW; empty when it cannot be read whole.
std::wstring QueryWindowsFolder();

// GetSystemDirectoryW; empty when it cannot be read whole.
std::wstring QuerySystemFolder();
